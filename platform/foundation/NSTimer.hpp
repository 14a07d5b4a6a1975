#pragma once

#include <functional>
#include <memory>

namespace rovuzu {

// A timer on the main run loop that calls its block each interval until invalidated.
// The run loop owns a scheduled timer; whoever else keeps a reference decides its lifetime
// after invalidation. Invalidating lets go of the block, so anything it captured is released.
class NSTimer {
  public:
    using Block = std::function<void(NSTimer&)>;

    NSTimer(double interval, bool repeats, Block block, double fireDate);
    NSTimer(const NSTimer&) = delete;
    NSTimer& operator=(const NSTimer&) = delete;
    ~NSTimer() = default;

    // Creates a timer and schedules it on the main run loop: first firing one interval from now.
    static std::shared_ptr<NSTimer> scheduledTimerWithTimeInterval(double interval, bool repeats,
                                                                   Block block);

    // No more firings. Safe to call from the timer's own block, and more than once.
    void invalidate();

    [[nodiscard]] bool isValid() const { return valid_; }
    [[nodiscard]] double timeInterval() const { return interval_; }
    [[nodiscard]] bool repeats() const { return repeats_; }
    // The monotonic time of the next firing.
    [[nodiscard]] double fireDate() const { return fireDate_; }

    // Runs the block once and arranges the next firing; called by the run loop. A repeating
    // timer that fell behind `now` skips the firings it missed, as the platform does.
    void fire(double now);

  private:
    double interval_;
    bool repeats_;
    Block block_;
    double fireDate_;
    bool valid_ = true;
    bool firing_ = false;
};

}  // namespace rovuzu
