#pragma once

#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <variant>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

// What can happen to a run, as every source makes it: the script parser, the built-in player,
// and each backend translating its own events. A closed set of typed values, applied in one
// order by the host session and written back as script lines by the recorder.
namespace input {

// Touches that began in one platform event (a click, one touchstart with its changed touches,
// one finger down), in view points: one touches-began.
struct Touches {
    std::vector<CGPoint> points;
    friend bool operator==(const Touches&, const Touches&) = default;
};

// The device's rotation in the world (see DevicePose).
struct Look {
    glm::dquat rotation{1.0, 0.0, 0.0, 0.0};
    friend bool operator==(const Look&, const Look&) = default;
};

// The device's position in the world, in metres.
struct Move {
    glm::dvec3 position{0.0};
    friend bool operator==(const Move&, const Move&) = default;
};

// The view's new size in points.
struct Resize {
    CGSize size;
    friend bool operator==(const Resize&, const Resize&) = default;
};

// The view goes off screen (the session pauses) or comes back.
struct Hide {
    friend bool operator==(const Hide&, const Hide&) = default;
};
struct Show {
    friend bool operator==(const Show&, const Show&) = default;
};

// A PNG of the frame, once drawn.
struct Screenshot {
    std::string file;
    friend bool operator==(const Screenshot&, const Screenshot&) = default;
};

// The run ends after this turn.
struct Quit {
    friend bool operator==(const Quit&, const Quit&) = default;
};

// The application's focus and visibility as a window or page sees them. Not part of a script:
// they change nothing in the round, only what the host draws and which keys are held.
struct Lifecycle {
    enum class Change { resignActive, becomeActive, enterBackground, enterForeground };
    Change change = Change::becomeActive;
    friend bool operator==(const Lifecycle&, const Lifecycle&) = default;
};

}  // namespace input

using Input = std::variant<input::Touches, input::Look, input::Move, input::Resize, input::Hide,
                           input::Show, input::Screenshot, input::Quit, input::Lifecycle>;

// An input at the time it happens, in seconds from launch.
struct TimedInput {
    double time = 0.0;
    Input input;
    friend bool operator==(const TimedInput&, const TimedInput&) = default;
};

}  // namespace rovuzu
