#include "platform/arkit/CameraIntrinsics.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>

namespace rovuzu {

CameraIntrinsics::CameraIntrinsics(int width, int height, glm::dvec2 focal, glm::dvec2 centre)
    : width_(width), height_(height), focal_(focal), centre_(centre) {}

CameraIntrinsics CameraIntrinsics::fromFieldOfView(int width, int height,
                                                   double fieldOfViewDegrees) {
    const double halfAngle = fieldOfViewDegrees * std::numbers::pi / 360.0;
    const double focal = 0.5 * std::max(width, height) / std::tan(halfAngle);
    return {width, height, {focal, focal}, {0.5 * (width - 1), 0.5 * (height - 1)}};
}

CameraIntrinsics CameraIntrinsics::fromCalibration(int width, int height, double fx, double fy,
                                                   double cx, double cy) {
    return {width, height, {fx, fy}, {cx, cy}};
}

// Clip x over w is p00·(x/-z) - p20 for a perspective projection, and the clip square's -1 to 1
// spans the picture from edge to edge; pixel centres sit half a pixel in. Likewise y, downwards.
CameraIntrinsics CameraIntrinsics::fromProjection(int width, int height,
                                                  const glm::dmat4& projection) {
    const double halfWidth = 0.5 * width;
    const double halfHeight = 0.5 * height;
    return {
        width,
        height,
        {projection[0][0] * halfWidth, projection[1][1] * halfHeight},
        {halfWidth * (1.0 - projection[2][0]) - 0.5, halfHeight * (1.0 + projection[2][1]) - 0.5}};
}

CameraIntrinsics CameraIntrinsics::resized(int width, int height) const {
    const glm::dvec2 scale{static_cast<double>(width) / width_,
                           static_cast<double>(height) / height_};
    // Pixel centres sit half a pixel in from the picture's edge at every size.
    return {width, height, focal_ * scale, (centre_ + 0.5) * scale - 0.5};
}

CameraIntrinsics CameraIntrinsics::downscaled(double factor) const {
    const glm::dvec2 centre = (centre_ + 0.5) / factor - 0.5;
    return {static_cast<int>(std::lround(width_ / factor)),
            static_cast<int>(std::lround(height_ / factor)), focal_ / factor, centre};
}

glm::dvec3 CameraIntrinsics::bearing(glm::dvec2 pixel) const {
    const glm::dvec2 offset = (pixel - centre_) / focal_;
    return glm::normalize(glm::dvec3(offset.x, -offset.y, -1.0));
}

glm::dvec2 CameraIntrinsics::project(const glm::dvec3& direction) const {
    const double depth = -direction.z;
    return {centre_.x + focal_.x * direction.x / depth, centre_.y - focal_.y * direction.y / depth};
}

}  // namespace rovuzu
