#pragma once

#include <glm/mat3x3.hpp>

namespace rovuzu {

// The game's device angles in radians: the camera-to-world rotation is Ry(yaw) Rx(pitch)
// Rz(roll). Positive yaw turns left (counter-clockwise about +y), positive pitch looks up.
struct YawPitchRoll {
    double yaw = 0.0;
    double pitch = 0.0;
    double roll = 0.0;
};

[[nodiscard]] glm::dmat3 rotationFromYawPitchRoll(const YawPitchRoll& angles);
// Yaw in (-pi, pi], pitch in [-pi/2, pi/2].
[[nodiscard]] YawPitchRoll yawPitchRollFromRotation(const glm::dmat3& rotation);

}  // namespace rovuzu
