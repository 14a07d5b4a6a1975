#include "platform/world/DevicePose.hpp"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace rovuzu {

simd_float4x4 DevicePose::transform() const {
    const auto radians = [](double degrees) { return static_cast<float>(glm::radians(degrees)); };
    simd_float4x4 pose = glm::translate(simd_float4x4{1.0F}, simd_float3{x, y, z});
    pose = glm::rotate(pose, radians(yaw), simd_float3{0, 1, 0});
    pose = glm::rotate(pose, radians(pitch), simd_float3{1, 0, 0});
    return glm::rotate(pose, radians(roll), simd_float3{0, 0, 1});
}

DevicePose DevicePose::facing(const simd_float3& point) const {
    const double dx = static_cast<double>(point.x) - x;
    const double dy = static_cast<double>(point.y) - y;
    const double dz = static_cast<double>(point.z) - z;
    DevicePose turned = *this;
    turned.yaw = glm::degrees(std::atan2(-dx, -dz));
    turned.pitch = glm::degrees(std::atan2(dy, std::hypot(dx, dz)));
    turned.roll = 0.0;
    return turned;
}

}  // namespace rovuzu
