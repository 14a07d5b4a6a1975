#include "platform/world/tracking/CameraIntrinsics.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>

namespace rovuzu {

CameraIntrinsics::CameraIntrinsics(int width, int height, double focal, glm::dvec2 centre)
    : width_(width), height_(height), focal_(focal), centre_(centre) {}

CameraIntrinsics CameraIntrinsics::fromFieldOfView(int width, int height,
                                                   double fieldOfViewDegrees) {
    const double halfAngle = fieldOfViewDegrees * std::numbers::pi / 360.0;
    const double focal = 0.5 * std::max(width, height) / std::tan(halfAngle);
    return {width, height, focal, {0.5 * (width - 1), 0.5 * (height - 1)}};
}

CameraIntrinsics CameraIntrinsics::downscaled(double factor) const {
    // Pixel centres sit half a pixel in from the picture's edge at every scale.
    const glm::dvec2 centre = (centre_ + 0.5) / factor - 0.5;
    return {static_cast<int>(std::lround(width_ / factor)),
            static_cast<int>(std::lround(height_ / factor)), focal_ / factor, centre};
}

glm::dvec3 CameraIntrinsics::bearing(glm::dvec2 pixel) const {
    const glm::dvec2 offset = (pixel - centre_) / focal_;
    return glm::normalize(glm::dvec3(offset.x, -offset.y, -1.0));
}

glm::dvec2 CameraIntrinsics::project(const glm::dvec3& direction) const {
    const double scale = focal_ / -direction.z;
    return {centre_.x + scale * direction.x, centre_.y - scale * direction.y};
}

}  // namespace rovuzu
