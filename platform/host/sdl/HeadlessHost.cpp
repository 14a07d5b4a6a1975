#include "platform/host/sdl/HeadlessHost.hpp"

#include <limits>

#include "platform/host/core/HostSession.hpp"

namespace rovuzu {

void HeadlessHost::run(HostSession& session) {
    session.setPixelsPerPoint(OffscreenCanvas::kPixelsPerPoint);
    // Pictures asked for in a turn are taken after its frame.
    session.runDue(std::numeric_limits<double>::infinity(), [&](const HostSession::Turn& turn) {
        for (const std::string& file : turn.screenshots) {
            if (turn.frame == nullptr) {
                break;
            }
            if (!canvas_) {
                canvas_.emplace();
            }
            canvas_->screenshot(turn.viewSize, *turn.frame, session.camera(), file);
        }
    });
}

}  // namespace rovuzu
