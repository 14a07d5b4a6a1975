#include "platform/world/tracking/GyroIntegrator.hpp"

#include <algorithm>

#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {
namespace {

// A gap longer than this between samples means the gyro has stopped.
constexpr double kMaxGap = 0.1;
// The share of each frame's disagreement that moves the bias estimate (a time constant of
// about 30 frames: slow enough to average out vision's noise).
constexpr double kBiasGain = 0.03;
constexpr std::size_t kMaxSamples = 4096;

}  // namespace

void GyroIntegrator::add(const glm::dvec3& angularVelocity, double time) {
    if (!samples_.empty() && time <= samples_.back().time) {
        return;
    }
    samples_.push_back({angularVelocity, time});
    if (samples_.size() > kMaxSamples) {
        samples_.pop_front();
    }
}

std::optional<glm::dmat3> GyroIntegrator::rotationBetween(double from, double to) {
    dropBefore(from);
    if (to <= from || !covers(from, to)) {
        return std::nullopt;
    }
    // Each sample holds until the next one.
    glm::dmat3 rotation(1.0);
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        const double start = std::max(from, samples_[i].time);
        const double end = i + 1 < samples_.size() ? std::min(to, samples_[i + 1].time) : to;
        if (end > start) {
            rotation *= rotationFromVector((samples_[i].angularVelocity - bias_) * (end - start));
        }
    }
    return rotation;
}

void GyroIntegrator::correctBias(const glm::dvec3& error, double seconds) {
    if (seconds > 0.0) {
        bias_ -= kBiasGain * error / seconds;
    }
}

bool GyroIntegrator::covers(double from, double to) const {
    if (samples_.empty() || samples_.front().time > from + kMaxGap ||
        samples_.back().time < to - kMaxGap) {
        return false;
    }
    for (std::size_t i = 1; i < samples_.size(); ++i) {
        const bool overlaps = samples_[i].time > from && samples_[i - 1].time < to;
        if (overlaps && samples_[i].time - samples_[i - 1].time > kMaxGap) {
            return false;
        }
    }
    return true;
}

// Keeps the last sample before `time`: it still holds at `time`.
void GyroIntegrator::dropBefore(double time) {
    while (samples_.size() > 1 && samples_[1].time <= time) {
        samples_.pop_front();
    }
}

}  // namespace rovuzu
