#pragma once

#include "platform/simd/simd.hpp"

namespace rovuzu {

// Where the device is and which way it points: yaw, pitch and roll in degrees, position in
// metres. Orientation is Ry(yaw) · Rx(pitch) · Rz(roll); at 0 0 0 the device looks along -z,
// positive yaw turns left and positive pitch looks up. Every source of movement (scripts,
// mouse and keys, a gyro, the camera tracker) ends up as these six numbers, so a recorded
// session replays to the very same matrices.
struct DevicePose {
    double yaw = 0.0;
    double pitch = 0.0;
    double roll = 0.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    [[nodiscard]] simd_float4x4 transform() const;
    // The pose at the same position that looks straight at a world point.
    [[nodiscard]] DevicePose facing(const simd_float3& point) const;

    friend bool operator==(const DevicePose&, const DevicePose&) = default;
};

}  // namespace rovuzu
