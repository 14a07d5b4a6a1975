#include "platform/world/DevicePose.hpp"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>

namespace rovuzu {

namespace {

const glm::dvec3 kRight{1.0, 0.0, 0.0};
const glm::dvec3 kUp{0.0, 1.0, 0.0};
const glm::dvec3 kBack{0.0, 0.0, 1.0};

}  // namespace

glm::dquat DevicePose::rotationFromAngles(double yaw, double pitch, double roll) {
    return glm::angleAxis(glm::radians(yaw), kUp) * glm::angleAxis(glm::radians(pitch), kRight) *
           glm::angleAxis(glm::radians(roll), kBack);
}

DevicePose DevicePose::looking(double yaw, double pitch, double roll, glm::dvec3 position) {
    return {rotationFromAngles(yaw, pitch, roll), position};
}

glm::dvec3 DevicePose::angles() const {
    const glm::dmat3 r = glm::mat3_cast(rotation);
    // The line of sight (-z) gives yaw and pitch; the device's x axis, once yaw and pitch are
    // undone, leans by the roll.
    const glm::dvec3 forward = -r[2];
    const double pitch = std::asin(std::clamp(forward.y, -1.0, 1.0));
    if (std::hypot(forward.x, forward.z) < 1e-12) {
        // Straight up or down: the device's x axis alone says how far it turned.
        return {glm::degrees(std::atan2(-r[0].z, r[0].x)), glm::degrees(pitch), 0.0};
    }
    const double yaw = std::atan2(-forward.x, -forward.z);
    const glm::dvec3 x = glm::inverse(glm::angleAxis(pitch, kRight)) *
                         (glm::inverse(glm::angleAxis(yaw, kUp)) * r[0]);
    return {glm::degrees(yaw), glm::degrees(pitch), glm::degrees(std::atan2(x.y, x.x))};
}

// In double precision, rounded once: the browser's C library and the desktop's differ in the
// last bit of single-precision sines, and a pose must be the same matrix in both.
simd_float4x4 DevicePose::transform() const {
    glm::dmat4 pose = glm::mat4_cast(rotation);
    pose[3] = glm::dvec4{position, 1.0};
    return simd_float4x4{pose};
}

DevicePose DevicePose::facing(const simd_float3& point) const {
    const glm::dvec3 toward = glm::dvec3{point} - position;
    const double yaw = glm::degrees(std::atan2(-toward.x, -toward.z));
    const double pitch = glm::degrees(std::atan2(toward.y, std::hypot(toward.x, toward.z)));
    return looking(yaw, pitch, 0.0, position);
}

}  // namespace rovuzu
