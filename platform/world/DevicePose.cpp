#include "platform/world/DevicePose.hpp"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace rovuzu {

// In double precision, rounded once: the browser's C library and the desktop's differ in the
// last bit of single-precision sines, and a pose must be the same matrix in both.
simd_float4x4 DevicePose::transform() const {
    glm::dmat4 pose = glm::translate(glm::dmat4{1.0}, glm::dvec3{x, y, z});
    pose = glm::rotate(pose, glm::radians(yaw), glm::dvec3{0, 1, 0});
    pose = glm::rotate(pose, glm::radians(pitch), glm::dvec3{1, 0, 0});
    return simd_float4x4{glm::rotate(pose, glm::radians(roll), glm::dvec3{0, 0, 1})};
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
