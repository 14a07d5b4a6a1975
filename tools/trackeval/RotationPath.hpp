#pragma once

#include <vector>

#include "platform/world/tracking/YawPitchRoll.hpp"

namespace rovuzu {

// A camera's rotation over time: easing from pose to pose (starting and stopping smoothly, as
// a hand does), plus steady sinusoidal sway. Angles in degrees, times in seconds.
class RotationPath {
  public:
    struct Pose {
        double time;
        double yaw;
        double pitch;
        double roll;
    };
    // Yaw and pitch sway a quarter period apart, roll at twice the rate.
    struct Sway {
        double yawAmplitude;
        double pitchAmplitude;
        double rollAmplitude;
        double period;
    };

    RotationPath(std::vector<Pose> poses, std::vector<Sway> sways = {});

    // In radians, as the game's device angles.
    [[nodiscard]] YawPitchRoll at(double time) const;
    [[nodiscard]] double duration() const { return poses_.back().time; }

  private:
    std::vector<Pose> poses_;
    std::vector<Sway> sways_;
};

}  // namespace rovuzu
