#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace rovuzu {

class NSTimer;

// The main thread's run loop: it owns the scheduled timers and fires those that are due, in
// due order. The host decides when to ask it, between touches and frames, so everything the
// game does runs one event at a time on one thread.
class NSRunLoop {
  public:
    static NSRunLoop& mainRunLoop();

    void addTimer(std::shared_ptr<NSTimer> timer);

    // Fires every timer due at the current clock time, earliest first; timers scheduled at the
    // same moment fire in the order they were added. A timer that becomes due again while this
    // runs (a zero-length catch-up) waits for the next call.
    void fireDueTimers();

    // The earliest firing still scheduled, if any.
    [[nodiscard]] std::optional<double> nextFireDate() const;
    [[nodiscard]] std::size_t timerCount() const { return timers_.size(); }

    // Invalidates and drops every timer, releasing what their blocks hold; used when the
    // application terminates and between tests.
    void invalidateAll();

  private:
    struct Entry {
        std::shared_ptr<NSTimer> timer;
        std::uint64_t order;
    };

    void dropInvalid();

    std::vector<Entry> timers_;
    std::uint64_t nextOrder_ = 0;
};

}  // namespace rovuzu
