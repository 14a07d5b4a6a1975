#pragma once

#include "platform/foundation/Clock.hpp"

namespace rovuzu {

// A clock that moves only when told to. It starts at zero monotonic seconds; its wall clock
// starts at a fixed date so that runs repeat exactly, and can be set back to test clock changes.
class VirtualClock final : public Clock {
  public:
    static constexpr double kStartDate = 1798761600.0;  // 2027-01-01 00:00:00 UTC

    [[nodiscard]] double monotonicNow() const override { return now_; }
    [[nodiscard]] double wallNow() const override { return kStartDate + now_ + wallShift_; }

    // Moves time forward to `time`; a time in the past is ignored, as a real clock never goes back.
    void advanceTo(double time);
    void advanceBy(double seconds) { advanceTo(now_ + seconds); }
    // Shifts the wall clock only, as when the user sets the device clock.
    void shiftWallClock(double seconds) { wallShift_ += seconds; }

  private:
    double now_ = 0.0;
    double wallShift_ = 0.0;
};

}  // namespace rovuzu
