#pragma once

#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>

#include "platform/simd/simd.hpp"

namespace rovuzu {

// Where the device is and which way it points, as a rigid transform: a unit rotation from the
// device's own axes (x right, y up across its screen, looking along -z) into the world's, and a
// position in metres. Every source of movement (scripts, mouse and keys, a gyro, the camera
// tracker, a phone's motion sensors, a headset's world tracking) ends up as this, so a recorded
// session replays to the very same matrices.
struct DevicePose {
    glm::dquat rotation{1.0, 0.0, 0.0, 0.0};
    glm::dvec3 position{0.0};

    // Yaw, pitch and roll in degrees: Ry(yaw) · Rx(pitch) · Rz(roll). At 0 0 0 the device looks
    // along -z; positive yaw turns left (counter-clockwise about +y), positive pitch looks up,
    // and positive roll leans the device's up to the left.
    [[nodiscard]] static glm::dquat rotationFromAngles(double yaw, double pitch, double roll);
    [[nodiscard]] static DevicePose looking(double yaw, double pitch, double roll = 0.0,
                                            glm::dvec3 position = glm::dvec3{0.0});

    // The rotation as yaw, pitch and roll in degrees (pitch within ±90); at straight up or down,
    // where yaw and roll turn about the same axis, all of the turn is given as yaw.
    [[nodiscard]] glm::dvec3 angles() const;
    [[nodiscard]] simd_float4x4 transform() const;
    // The pose at the same position that looks straight at a world point, upright.
    [[nodiscard]] DevicePose facing(const simd_float3& point) const;

    friend bool operator==(const DevicePose&, const DevicePose&) = default;
};

}  // namespace rovuzu
