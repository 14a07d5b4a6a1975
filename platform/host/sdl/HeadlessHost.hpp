#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host/sdl/OffscreenCanvas.hpp"

namespace rovuzu {

class HostLoop;

// Runs the application without a window on a virtual clock. The clock jumps straight to the
// next thing due — a timer, a scripted input, an autoplay move or a frame at 60 per second —
// so a whole round takes milliseconds and repeats exactly. Screenshots are drawn offscreen.
class HeadlessHost {
  public:
    // Runs until the script quits or the time is up; returns the time the run ended at.
    double run(HostLoop& loop);

  private:
    // Pictures asked for in a turn are taken after its frame.
    void takeScreenshots(const HostLoop& loop, const Frame& frame,
                         const std::vector<std::string>& files);

    std::optional<OffscreenCanvas> canvas_;
};

}  // namespace rovuzu
