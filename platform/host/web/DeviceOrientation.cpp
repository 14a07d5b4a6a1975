#include "platform/host/web/DeviceOrientation.hpp"

#include "platform/world/DevicePose.hpp"

namespace rovuzu {

namespace {

glm::dquat turn(double degrees, const glm::dvec3& axis) {
    return glm::angleAxis(glm::radians(degrees), axis);
}

}  // namespace

glm::dquat DeviceOrientation::rotationFor(const Reading& reading) {
    const glm::dvec3 x{1.0, 0.0, 0.0};
    const glm::dvec3 y{0.0, 1.0, 0.0};
    const glm::dvec3 z{0.0, 0.0, 1.0};
    // The device in the Earth's frame; the camera's view (x right, y up across the screen as
    // its content stands) in the device's; the Earth's east, north and up as the world's x,
    // -z and y.
    const glm::dquat deviceToEarth =
        turn(reading.alpha, z) * turn(reading.beta, x) * turn(reading.gamma, y);
    const glm::dquat viewToDevice = turn(-reading.screenAngle, z);
    const glm::dquat earthToWorld = turn(-90.0, x);
    const glm::dquat rotation = glm::normalize(earthToWorld * deviceToEarth * viewToDevice);
    if (!heading_) {
        heading_ = DevicePose{rotation}.angles().x;
    }
    return glm::normalize(turn(-*heading_, y) * rotation);
}

}  // namespace rovuzu
