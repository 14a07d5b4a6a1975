#pragma once

#include <string>
#include <vector>

namespace rovuzu {

// One thing the player (or a script, or the autoplayer) does, at a time in seconds from
// launch. The same events drive headless runs from scripts and are recorded from a window.
struct InputEvent {
    enum class Verb { tap, taps, look, move, hide, show, resize, screenshot, quit };

    double time = 0.0;
    Verb verb = Verb::quit;
    // tap/taps: view points x, y (pairs); look: yaw, pitch, roll in degrees; move: x, y, z in
    // metres; resize: width, height in points.
    std::vector<double> values;
    // screenshot: the PNG to write.
    std::string file;
};

}  // namespace rovuzu
