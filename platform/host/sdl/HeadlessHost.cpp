#include "platform/host/sdl/HeadlessHost.hpp"

#include "platform/host/core/HostLoop.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

double HeadlessHost::run(HostLoop& loop) {
    for (;;) {
        const HostLoop::Turn turn = loop.turn(loop.nextDue());
        takeScreenshots(loop, turn.screenshots);
        if (turn.quit) {
            return turn.time;
        }
    }
}

void HeadlessHost::takeScreenshots(const HostLoop& loop, const std::vector<std::string>& files) {
    const SKView* view = loop.frames().view();
    if (view == nullptr) {
        return;
    }
    for (const std::string& file : files) {
        if (!canvas_) {
            canvas_.emplace();
        }
        canvas_->screenshot(*view, loop.camera(), file);
    }
}

}  // namespace rovuzu
