#include "platform/foundation/NSRunLoop.hpp"

#include <algorithm>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/NSTimer.hpp"

namespace rovuzu {

NSRunLoop& NSRunLoop::mainRunLoop() {
    static NSRunLoop loop;
    return loop;
}

void NSRunLoop::addTimer(std::shared_ptr<NSTimer> timer) {
    timers_.push_back({std::move(timer), nextOrder_++});
}

void NSRunLoop::fireDueTimers() {
    const double now = Clock::current().monotonicNow();
    // Snapshot what is due now: blocks may add or invalidate timers while we go.
    std::vector<Entry> due;
    for (const Entry& entry : timers_) {
        if (entry.timer->isValid() && entry.timer->fireDate() <= now) {
            due.push_back(entry);
        }
    }
    std::stable_sort(due.begin(), due.end(), [](const Entry& a, const Entry& b) {
        return a.timer->fireDate() < b.timer->fireDate() ||
               (a.timer->fireDate() == b.timer->fireDate() && a.order < b.order);
    });
    for (const Entry& entry : due) {
        entry.timer->fire(now);  // `due` keeps the timer alive while its block runs
    }
    dropInvalid();
}

std::optional<double> NSRunLoop::nextFireDate() const {
    std::optional<double> earliest;
    for (const Entry& entry : timers_) {
        if (entry.timer->isValid() && (!earliest || entry.timer->fireDate() < *earliest)) {
            earliest = entry.timer->fireDate();
        }
    }
    return earliest;
}

void NSRunLoop::invalidateAll() {
    std::vector<Entry> dropped;
    dropped.swap(timers_);
    for (const Entry& entry : dropped) {
        entry.timer->invalidate();
    }
}

void NSRunLoop::dropInvalid() {
    std::erase_if(timers_, [](const Entry& entry) { return !entry.timer->isValid(); });
}

}  // namespace rovuzu
