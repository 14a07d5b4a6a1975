#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/InputEvent.hpp"
#include "platform/host/OffscreenCanvas.hpp"
#include "platform/host/Options.hpp"
#include "platform/host/ScriptPlayer.hpp"

namespace rovuzu {

class CameraInput;
class FrameLoop;
class UIApplication;
class VirtualClock;

// Runs the application without a window on a virtual clock. The clock jumps straight to the
// next thing due — a timer, a scripted input, an autoplay move or a frame at 60 per second —
// so a whole round takes milliseconds and repeats exactly.
class HeadlessHost {
  public:
    static constexpr double kFrameRate = 60.0;
    // Without a script's quit or --quit-after, a run ends this long after game over...
    static constexpr double kAfterGameOver = 5.0;
    // ...or at this time.
    static constexpr double kTimeLimit = 120.0;

    HeadlessHost(const Options& options, std::vector<InputEvent> script, VirtualClock& clock);

    // A recorded video's picture and its tracked pose, instead of the built-in world.
    void setCamera(CameraInput* camera) { camera_ = camera; }

    // Runs until the script quits or the time is up; returns the time the run ended at.
    double run(UIApplication& application, FrameLoop& loop);

  private:
    [[nodiscard]] double nextTime(const FrameLoop& loop) const;
    // Pictures asked for at this time are taken after its frame.
    void takeScreenshots(const FrameLoop& loop);

    const Options& options_;
    ScriptPlayer script_;
    VirtualClock& clock_;
    std::optional<OffscreenCanvas> canvas_;
    CameraInput* camera_ = nullptr;
    std::vector<std::string> screenshots_;
    long frame_ = 0;
    double end_;
};

}  // namespace rovuzu
