#pragma once

#include <glm/gtc/quaternion.hpp>
#include <optional>

namespace rovuzu {

// The phone's motion sensors as the device's rotation in the game's world. A reading is the
// browser's deviceorientation angles, in degrees: the device turned from the Earth's frame
// (east, north, up) by alpha about z, then beta about the turned x, then gamma about the
// turned y; and the screen's own rotation, as the page's content is turned against the device
// (90 in landscape with the device's top to the left). The game's world has y up; its -z is
// where the camera looked at the first reading, as where tracking began, so only the heading
// of that reading is taken away: up stays up. The rotation is built straight from the angles,
// with nothing clamped, so it holds looking straight up or down too.
class DeviceOrientation {
  public:
    struct Reading {
        double alpha = 0.0;
        double beta = 0.0;
        double gamma = 0.0;
        double screenAngle = 0.0;
    };

    // The device's rotation for the reading.
    glm::dquat rotationFor(const Reading& reading);

  private:
    std::optional<double> heading_;  // the first reading's yaw, in degrees
};

}  // namespace rovuzu
