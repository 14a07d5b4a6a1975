#include "platform/arkit/ARCamera.hpp"

#include <algorithm>
#include <cmath>
#include <glm/matrix.hpp>
#include <numbers>

namespace rovuzu {

ARCamera::ARCamera(const simd_float4x4& transform, CGSize viewportSize)
    : transform_(transform),
      inverse_(glm::inverse(transform)),
      viewport_(viewportSize),
      focalLength_(std::max(viewportSize.width, viewportSize.height) / 2.0 /
                   std::tan(kFieldOfViewDegrees / 2.0 * std::numbers::pi / 180.0)) {}

simd_float3 ARCamera::toCamera(const simd_float3& worldPoint) const {
    return simd_float3{inverse_ * simd_float4{worldPoint, 1.0F}};
}

std::optional<ARCamera::Projection> ARCamera::projectPoint(const simd_float3& worldPoint) const {
    const simd_float3 p = toCamera(worldPoint);
    const double depth = -static_cast<double>(p.z);
    if (depth < kNearPlane) {
        return std::nullopt;
    }
    const double x = viewport_.width / 2.0 + focalLength_ * static_cast<double>(p.x) / depth;
    const double y = viewport_.height / 2.0 - focalLength_ * static_cast<double>(p.y) / depth;
    return Projection{{x, y}, depth};
}

}  // namespace rovuzu
