#pragma once

#include <deque>
#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>
#include <optional>

namespace rovuzu {

// Turns gyroscope samples into the camera's rotation between two frame times, less a bias that
// vision keeps estimating.
class GyroIntegrator {
  public:
    // Angular velocity in rad/s in camera axes, at a time on the frames' clock.
    void add(const glm::dvec3& angularVelocity, double time);

    // The rotation from `from` to `to` in the camera's axes at `from`, so that the orientation at
    // `to` is orientation(from) * result; nothing when the samples do not cover the interval.
    // Samples older than `from` are dropped.
    [[nodiscard]] std::optional<glm::dmat3> rotationBetween(double from, double to);

    // `error` is vision's rotation minus the gyro's prediction over `seconds`, in camera axes.
    void correctBias(const glm::dvec3& error, double seconds);

    [[nodiscard]] const glm::dvec3& bias() const { return bias_; }

  private:
    struct Sample {
        glm::dvec3 angularVelocity;
        double time;
    };

    [[nodiscard]] bool covers(double from, double to) const;
    void dropBefore(double time);

    std::deque<Sample> samples_;
    glm::dvec3 bias_{0.0};
};

}  // namespace rovuzu
