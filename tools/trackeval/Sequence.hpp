#pragma once

#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

struct GyroReading {
    glm::dvec3 angularVelocity;  // rad/s in camera axes
    double time;
};

// Camera pictures with the camera's true rotation for each, to measure a tracker against.
class Sequence {
  public:
    virtual ~Sequence() = default;

    [[nodiscard]] virtual const std::string& name() const = 0;
    [[nodiscard]] virtual int frameCount() const = 0;
    // The field of view across the pictures' longer side.
    [[nodiscard]] virtual double fieldOfViewDegrees() const = 0;
    // Picture `index` and the camera-to-world rotation it was taken with (any fixed world);
    // false when it cannot be had.
    virtual bool frame(int index, CameraFrame& picture, glm::dmat3& truth) = 0;
    // Gyro readings over the whole sequence, if it has a gyro.
    [[nodiscard]] virtual std::vector<GyroReading> gyro() const { return {}; }

  protected:
    Sequence() = default;
    Sequence(const Sequence&) = default;
    Sequence& operator=(const Sequence&) = default;
    Sequence(Sequence&&) = default;
    Sequence& operator=(Sequence&&) = default;
};

}  // namespace rovuzu
