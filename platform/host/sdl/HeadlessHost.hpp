#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/host/sdl/OffscreenCanvas.hpp"

namespace rovuzu {

class HostSession;

// Runs the application without a window on the session's virtual clock, which jumps straight
// to the next thing due — a timer, a scripted input, an autoplay move or a frame at 60 per
// second — so a whole round takes milliseconds and repeats exactly. Screenshots are drawn
// offscreen.
class HeadlessHost {
  public:
    // Runs until the script quits or the time is up.
    void run(HostSession& session);

  private:
    std::optional<OffscreenCanvas> canvas_;
};

}  // namespace rovuzu
