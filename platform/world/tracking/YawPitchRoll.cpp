#include "platform/world/tracking/YawPitchRoll.hpp"

#include <algorithm>
#include <cmath>

namespace rovuzu {

glm::dmat3 rotationFromYawPitchRoll(const YawPitchRoll& angles) {
    const double cy = std::cos(angles.yaw);
    const double sy = std::sin(angles.yaw);
    const double cp = std::cos(angles.pitch);
    const double sp = std::sin(angles.pitch);
    const double cr = std::cos(angles.roll);
    const double sr = std::sin(angles.roll);
    // glm matrices take columns.
    const glm::dmat3 ry({cy, 0.0, -sy}, {0.0, 1.0, 0.0}, {sy, 0.0, cy});
    const glm::dmat3 rx({1.0, 0.0, 0.0}, {0.0, cp, sp}, {0.0, -sp, cp});
    const glm::dmat3 rz({cr, sr, 0.0}, {-sr, cr, 0.0}, {0.0, 0.0, 1.0});
    return ry * rx * rz;
}

YawPitchRoll yawPitchRollFromRotation(const glm::dmat3& rotation) {
    // The camera looks along -z: that column gives yaw and pitch; the world-up row gives roll.
    const glm::dvec3 forward = -rotation[2];
    YawPitchRoll angles;
    angles.pitch = std::asin(std::clamp(forward.y, -1.0, 1.0));
    angles.yaw = std::atan2(-forward.x, -forward.z);
    angles.roll = std::atan2(rotation[0].y, rotation[1].y);
    return angles;
}

}  // namespace rovuzu
