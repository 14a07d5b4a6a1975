#include "platform/host/web/DeviceOrientation.hpp"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#define GLM_ENABLE_EXPERIMENTAL
#include <glm/gtx/euler_angles.hpp>

namespace rovuzu {

namespace {

glm::dmat4 turn(double degrees, const glm::dvec3& axis) {
    return glm::rotate(glm::dmat4{1.0}, glm::radians(degrees), axis);
}

// Degrees in (-180, 180].
double wrapped(double degrees) {
    const double turned = std::remainder(degrees, 360.0);
    return turned == -180.0 ? 180.0 : turned;
}

}  // namespace

DevicePose DeviceOrientation::poseFor(const Reading& reading, const DevicePose& pose) {
    const glm::dvec3 x{1.0, 0.0, 0.0};
    const glm::dvec3 y{0.0, 1.0, 0.0};
    const glm::dvec3 z{0.0, 0.0, 1.0};
    // The device in the Earth's frame; the camera's view (x right, y up across the screen as
    // its content stands) in the device's; the Earth's east, north and up as the world's x,
    // -z and y.
    const glm::dmat4 deviceToEarth =
        turn(reading.alpha, z) * turn(reading.beta, x) * turn(reading.gamma, y);
    const glm::dmat4 viewToDevice = turn(-reading.screenAngle, z);
    const glm::dmat4 earthToWorld = turn(-90.0, x);
    double yaw = 0.0;
    double pitch = 0.0;
    double roll = 0.0;
    glm::extractEulerAngleYXZ(earthToWorld * deviceToEarth * viewToDevice, yaw, pitch, roll);

    if (!heading_) {
        heading_ = glm::degrees(yaw);
    }
    DevicePose turned = pose;
    turned.yaw = wrapped(glm::degrees(yaw) - *heading_);
    turned.pitch = glm::degrees(pitch);
    turned.roll = glm::degrees(roll);
    return turned;
}

}  // namespace rovuzu
