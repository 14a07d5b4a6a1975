#include "platform/host/core/PoseController.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <utility>

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

void PoseController::gyro(double x, double y, double z, double timestamp) {
    const std::optional<double> last = std::exchange(lastGyroReport_, timestamp);
    const double seconds = last ? timestamp - *last : 0.0;
    const glm::dvec3 rate{x, y, z};
    const double angle = glm::length(rate) * seconds;
    if (seconds > 0.0 && seconds <= kLongestGyroStep && angle > 0.0) {
        gyroTurn_ = gyroTurn_ * glm::angleAxis(angle, rate / glm::length(rate));
        gyroTurned_ = true;
    }
}

double PoseController::axis(Key negative, Key positive) const {
    return (held(positive) ? 1.0 : 0.0) - (held(negative) ? 1.0 : 0.0);
}

bool PoseController::anyHeld() const {
    return std::any_of(held_.begin(), held_.end(), [](bool down) { return down; });
}

std::optional<DevicePose> PoseController::advance(const DevicePose& pose, double seconds) {
    const bool turned = yawTurn_ != 0.0 || pitchTurn_ != 0.0;
    if (!gyroTurned_ && !turned && !(anyHeld() && seconds > 0.0)) {
        return std::nullopt;
    }
    DevicePose next = pose;
    if (std::exchange(gyroTurned_, false)) {
        // The gyro turns the device in its own frame.
        next.rotation = glm::normalize(next.rotation * gyroTurn_);
        gyroTurn_ = glm::dquat{1.0, 0.0, 0.0, 0.0};
    }
    turnAndWalk(next, seconds);
    return next;
}

void PoseController::turnAndWalk(DevicePose& pose, double seconds) {
    const double yawKeys = axis(Key::right, Key::left) * kTurnDegreesPerSecond * seconds;
    const double pitchKeys = axis(Key::down, Key::up) * kTurnDegreesPerSecond * seconds;
    if (yawTurn_ != 0.0 || pitchTurn_ != 0.0 || yawKeys != 0.0 || pitchKeys != 0.0) {
        const glm::dvec3 angles = pose.angles();
        const double pitch =
            std::clamp(angles.y + pitchTurn_ + pitchKeys, -kPitchLimit, kPitchLimit);
        pose.rotation =
            DevicePose::rotationFromAngles(angles.x + yawTurn_ + yawKeys, pitch, angles.z);
    }
    yawTurn_ = pitchTurn_ = 0.0;

    const double forward = axis(Key::back, Key::forward) * kMetresPerSecond * seconds;
    const double sideways = axis(Key::strafeLeft, Key::strafeRight) * kMetresPerSecond * seconds;
    const double yaw = glm::radians(pose.angles().x);
    pose.position.x += -std::sin(yaw) * forward + std::cos(yaw) * sideways;
    pose.position.z += -std::cos(yaw) * forward - std::sin(yaw) * sideways;
    pose.position.y += axis(Key::lower, Key::raise) * kMetresPerSecond * seconds;
}

}  // namespace rovuzu
