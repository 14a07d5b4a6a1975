#include "platform/host/HeadlessHost.hpp"

#include <algorithm>
#include <limits>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/CameraInput.hpp"
#include "platform/host/FrameLoop.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

HeadlessHost::HeadlessHost(const Options& options, std::vector<InputEvent> script,
                           VirtualClock& clock)
    : options_(options),
      script_(std::move(script)),
      clock_(clock),
      end_(options.quitAfter.value_or(kTimeLimit)) {}

double HeadlessHost::nextTime(const FrameLoop& loop) const {
    double next = static_cast<double>(frame_) / kFrameRate;
    if (const auto timer = NSRunLoop::mainRunLoop().nextFireDate()) {
        next = std::min(next, *timer);
    }
    if (const auto event = script_.nextTime()) {
        next = std::min(next, *event);
    }
    if (const auto move = loop.nextAutoplayTime()) {
        next = std::min(next, *move);
    }
    return std::max(next, clock_.monotonicNow());
}

void HeadlessHost::takeScreenshots(const FrameLoop& loop) {
    const SKView* view = loop.view();
    if (view != nullptr) {
        for (const std::string& file : screenshots_) {
            if (!canvas_) {
                canvas_.emplace();
            }
            canvas_->screenshot(*view, camera_, file);
        }
    }
    screenshots_.clear();
}

double HeadlessHost::run(UIApplication& /*application*/, FrameLoop& loop) {
    const bool quitsByItself = options_.quitAfter.has_value();
    bool roundWasOver = false;
    for (;;) {
        const double now = std::min(nextTime(loop), end_);
        clock_.advanceTo(now);
        const bool going = script_.applyDue(loop, now, screenshots_);
        if (camera_ != nullptr) {
            camera_->update(loop, now);
        }
        loop.runAutoplay(now);
        loop.runFrame(now);
        if (!going || now >= end_) {
            if (options_.screenshot) {
                screenshots_.push_back(options_.screenshot->string());
            }
        }
        takeScreenshots(loop);
        if (now >= static_cast<double>(frame_) / kFrameRate) {
            ++frame_;
        }
        if (loop.roundOver() && !roundWasOver) {
            roundWasOver = true;
            if (!quitsByItself) {
                end_ = std::min(end_, now + kAfterGameOver);
            }
        }
        if (!going || now >= end_) {
            return now;
        }
    }
}

}  // namespace rovuzu
