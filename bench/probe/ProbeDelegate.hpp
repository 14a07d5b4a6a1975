#pragma once

#include <SDL2/SDL.h>

#include <chrono>

#include "app/AppDelegate.hpp"

namespace rovuzu {

// The game's own application delegate with an instrument attached. The program launches it by
// name through UIApplicationMain, so everything else runs as in a player's rovuzu; the probe
// only schedules timers on the main run loop and sends SDL events as a desktop would.
//   latency: a target straight ahead, then a click on it; the frames that follow are saved by
//            SDL's offscreen video driver and compared afterwards (see SavedFrames).
//   idle:    the process's CPU time over five seconds with nothing moving, then over five
//            seconds minimised.
//   memory:  resident memory when the run ends.
class ProbeDelegate final : public AppDelegate {
  public:
    enum class Probe { latency, idle, memory };

    // The delegate is made by class name, so the probe is chosen beforehand.
    static void choose(Probe probe) { probe_ = probe; }
    // Latency: frames presented before the frame during which the click was sent.
    [[nodiscard]] static long framesBeforeClick() { return framesBeforeClick_; }
    // Latency: the clicked point in window coordinates.
    [[nodiscard]] static SDL_Point clickedAt() { return clickedAt_; }

    bool application(UIApplication& application,
                     const UIApplicationLaunchOptions* launchOptions) override;
    void applicationWillTerminate(UIApplication& application) override;

  private:
    struct Sample {
        double cpu = 0.0;   // seconds of the process's user and system time
        double wall = 0.0;  // seconds
    };

    static void armLatency(UIApplication& application);
    void armIdle();
    static Sample sample();
    static void report(const char* what, const Sample& from, const Sample& to);

    static inline Probe probe_ = Probe::latency;
    static inline long framesBeforeClick_ = -1;
    static inline SDL_Point clickedAt_{};
    Sample stillFrom_;
    Sample minimisedFrom_;
};

}  // namespace rovuzu
