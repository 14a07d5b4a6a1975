#pragma once

namespace rovuzu {

// Where the program's time comes from. A window runs on the real clock; tests and headless
// runs install a virtual clock that they advance themselves, so nothing sleeps for game time.
class Clock {
  public:
    Clock() = default;
    Clock(const Clock&) = delete;
    Clock& operator=(const Clock&) = delete;
    virtual ~Clock() = default;

    // Seconds on a clock that never goes back; its zero is arbitrary.
    [[nodiscard]] virtual double monotonicNow() const = 0;
    // Seconds since the Unix epoch; may jump, forwards or back, when the user sets the clock.
    [[nodiscard]] virtual double wallNow() const = 0;

    // The clock everything reads. Falls back to the real clock when none is installed.
    static Clock& current();
    // Installs a clock for the whole process; nullptr restores the real one. The caller keeps
    // ownership and must uninstall it before it goes away.
    static void install(Clock* clock);
};

}  // namespace rovuzu
