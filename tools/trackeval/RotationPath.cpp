#include "tools/trackeval/RotationPath.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace rovuzu {
namespace {

constexpr double kRadians = std::numbers::pi / 180.0;

// Minimum-jerk easing: zero velocity and acceleration at both ends.
double ease(double s) {
    return s * s * s * (10.0 + s * (-15.0 + 6.0 * s));
}

}  // namespace

RotationPath::RotationPath(std::vector<Pose> poses, std::vector<Sway> sways)
    : poses_(std::move(poses)), sways_(std::move(sways)) {}

YawPitchRoll RotationPath::at(double time) const {
    const auto next = std::upper_bound(poses_.begin(), poses_.end(), time,
                                       [](double t, const Pose& pose) { return t < pose.time; });
    Pose pose = next == poses_.end() ? poses_.back() : *next;
    if (next != poses_.begin() && next != poses_.end()) {
        const Pose& previous = *(next - 1);
        const double s = ease((time - previous.time) / (next->time - previous.time));
        pose.yaw = previous.yaw + s * (next->yaw - previous.yaw);
        pose.pitch = previous.pitch + s * (next->pitch - previous.pitch);
        pose.roll = previous.roll + s * (next->roll - previous.roll);
    }
    for (const Sway& sway : sways_) {
        const double phase = 2.0 * std::numbers::pi * time / sway.period;
        pose.yaw += sway.yawAmplitude * std::sin(phase);
        pose.pitch += sway.pitchAmplitude * std::cos(phase);
        pose.roll += sway.rollAmplitude * std::sin(2.0 * phase);
    }
    return {pose.yaw * kRadians, pose.pitch * kRadians, pose.roll * kRadians};
}

}  // namespace rovuzu
