#include "platform/host/core/PoseController.hpp"

#include <algorithm>
#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#define GLM_ENABLE_EXPERIMENTAL
#include <glm/gtx/euler_angles.hpp>

namespace rovuzu {

void PoseController::drag(double dx, double dy) {
    yawTurn_ -= dx * kDegreesPerPoint;
    pitchTurn_ -= dy * kDegreesPerPoint;
}

void PoseController::setKey(Key key, bool down) {
    held_.at(static_cast<std::size_t>(key)) = down;
}

void PoseController::releaseAll() {
    held_.fill(false);
}

void PoseController::gyro(double x, double y, double z, double seconds) {
    const glm::vec3 rate{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    const float angle = glm::length(rate) * static_cast<float>(seconds);
    if (angle > 0.0F) {
        gyroTurn_ = glm::rotate(gyroTurn_, angle, glm::normalize(rate));
    }
}

double PoseController::axis(Key negative, Key positive) const {
    return (held(positive) ? 1.0 : 0.0) - (held(negative) ? 1.0 : 0.0);
}

DevicePose PoseController::advance(const DevicePose& pose, double seconds) {
    DevicePose next = pose;
    if (gyroTurn_ != simd_float4x4{1.0F}) {
        // The gyro turns the device in its own frame; read the result back as yaw, pitch, roll.
        DevicePose still = pose;
        still.x = still.y = still.z = 0.0;
        float yaw = 0.0F;
        float pitch = 0.0F;
        float roll = 0.0F;
        glm::extractEulerAngleYXZ(still.transform() * gyroTurn_, yaw, pitch, roll);
        next.yaw = glm::degrees(static_cast<double>(yaw));
        next.pitch = glm::degrees(static_cast<double>(pitch));
        next.roll = glm::degrees(static_cast<double>(roll));
        gyroTurn_ = simd_float4x4{1.0F};
    }
    next.yaw += yawTurn_ + axis(Key::right, Key::left) * kTurnDegreesPerSecond * seconds;
    next.pitch += pitchTurn_ + axis(Key::down, Key::up) * kTurnDegreesPerSecond * seconds;
    next.pitch = std::clamp(next.pitch, -kPitchLimit, kPitchLimit);
    yawTurn_ = pitchTurn_ = 0.0;

    const double forward = axis(Key::back, Key::forward) * kMetresPerSecond * seconds;
    const double sideways = axis(Key::strafeLeft, Key::strafeRight) * kMetresPerSecond * seconds;
    const double yaw = glm::radians(next.yaw);
    next.x += -std::sin(yaw) * forward + std::cos(yaw) * sideways;
    next.z += -std::cos(yaw) * forward - std::sin(yaw) * sideways;
    next.y += axis(Key::lower, Key::raise) * kMetresPerSecond * seconds;
    return next;
}

}  // namespace rovuzu
