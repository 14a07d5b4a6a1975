#include "platform/host/sdl/HeadlessHost.hpp"

#include "platform/host/core/HostLoop.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

double HeadlessHost::run(HostLoop& loop) {
    loop.setPixelsPerPoint(OffscreenCanvas::kPixelsPerPoint);
    for (;;) {
        const HostLoop::Turn turn = loop.turn(loop.nextDue());
        if (turn.frame != nullptr) {
            takeScreenshots(loop, *turn.frame, turn.screenshots);
        }
        if (turn.quit) {
            return turn.time;
        }
    }
}

void HeadlessHost::takeScreenshots(const HostLoop& loop, const Frame& frame,
                                   const std::vector<std::string>& files) {
    const CGSize points = loop.frames().view()->bounds().size;
    for (const std::string& file : files) {
        if (!canvas_) {
            canvas_.emplace();
        }
        canvas_->screenshot(points, frame, loop.camera(), file);
    }
}

}  // namespace rovuzu
