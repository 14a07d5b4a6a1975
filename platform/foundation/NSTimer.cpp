#include "platform/foundation/NSTimer.hpp"

#include <cmath>
#include <utility>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/NSRunLoop.hpp"

namespace rovuzu {

NSTimer::NSTimer(double interval, bool repeats, Block block, double fireDate)
    : interval_(interval), repeats_(repeats), block_(std::move(block)), fireDate_(fireDate) {}

std::shared_ptr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                                 Block block) {
    // The platform clamps tiny intervals so a repeating timer cannot spin the loop.
    constexpr double kMinimumInterval = 0.0001;
    const double safeInterval =
        std::isfinite(interval) ? std::max(interval, kMinimumInterval) : kMinimumInterval;
    const double now = Clock::current().monotonicNow();
    auto timer =
        std::make_shared<NSTimer>(safeInterval, repeats, std::move(block), now + safeInterval);
    NSRunLoop::mainRunLoop().addTimer(timer);
    return timer;
}

void NSTimer::invalidate() {
    valid_ = false;
    if (!firing_) {
        block_ = nullptr;
    }
}

void NSTimer::fire(double now) {
    if (!valid_) {
        return;
    }
    firing_ = true;
    block_(*this);
    firing_ = false;
    if (!repeats_) {
        valid_ = false;
    }
    if (!valid_) {
        block_ = nullptr;
        return;
    }
    const double missed = std::floor((now - fireDate_) / interval_);
    fireDate_ += interval_ * (std::max(missed, 0.0) + 1.0);
}

}  // namespace rovuzu
