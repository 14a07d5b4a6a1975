#include "platform/arkit/ARCamera.hpp"

#include <algorithm>
#include <cmath>
#include <glm/matrix.hpp>
#include <numbers>

namespace rovuzu {

namespace {

// The part of a picture that covers a view: the picture scaled to fill the view, keeping its
// proportions, cut evenly at the two edges that overflow.
CGRect coveringPart(double pictureWidth, double pictureHeight, CGSize view) {
    const double scale = std::max(view.width / pictureWidth, view.height / pictureHeight);
    const double width = std::min(view.width / scale, pictureWidth);
    const double height = std::min(view.height / scale, pictureHeight);
    return {{(pictureWidth - width) / 2.0, (pictureHeight - height) / 2.0}, {width, height}};
}

}  // namespace

ARCamera::ARCamera(const simd_float4x4& transform, CGSize viewportSize)
    : transform_(transform),
      inverse_(glm::inverse(transform)),
      viewport_(viewportSize),
      focal_(glm::dvec2(std::max(viewportSize.width, viewportSize.height) / 2.0 /
                        std::tan(kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0))),
      centre_(viewportSize.width / 2.0, viewportSize.height / 2.0) {}

ARCamera::ARCamera(const simd_float4x4& transform, CGSize viewportSize,
                   const CameraIntrinsics& picture)
    : ARCamera(transform, viewportSize) {
    if (!(picture.width() > 0 && picture.height() > 0 && viewportSize.width > 0.0 &&
          viewportSize.height > 0.0)) {
        return;  // nothing to crop: the view's own camera
    }
    const CGRect part = coveringPart(picture.width(), picture.height(), viewportSize);
    const double scale = viewportSize.width / part.size.width;  // view points per pixel
    focal_ = picture.focalLengths() * scale;
    // A pixel's centre is half a pixel in from its edge.
    centre_ = (picture.principalPoint() + 0.5 - glm::dvec2(part.origin.x, part.origin.y)) * scale;
    visible_ = part;
}

simd_float3 ARCamera::toCamera(const simd_float3& worldPoint) const {
    return simd_float3{inverse_ * simd_float4{worldPoint, 1.0F}};
}

std::optional<ARCamera::Projection> ARCamera::projectPoint(const simd_float3& worldPoint) const {
    const simd_float3 p = toCamera(worldPoint);
    const double depth = -static_cast<double>(p.z);
    if (depth < kNearPlane) {
        return std::nullopt;
    }
    const double x = centre_.x + focal_.x * static_cast<double>(p.x) / depth;
    const double y = centre_.y - focal_.y * static_cast<double>(p.y) / depth;
    return Projection{{x, y}, depth};
}

}  // namespace rovuzu
