#pragma once

#include <optional>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/simd/simd.hpp"

namespace rovuzu {

// A pinhole camera at a pose, looking along its own -z with y up, like a phone's back camera:
// a 60 degree field of view across the longer side of the view, square pixels.
class ARCamera {
  public:
    static constexpr double kFieldOfViewDegrees = 60.0;
    // Points nearer than this to the camera plane are not drawn.
    static constexpr double kNearPlane = 0.05;

    struct Projection {
        CGPoint viewPoint;   // in view points, top-left origin, y down
        double depth = 0.0;  // metres in front of the camera
    };

    ARCamera(const simd_float4x4& transform, CGSize viewportSize);

    [[nodiscard]] const simd_float4x4& transform() const { return transform_; }
    // The focal length in view points.
    [[nodiscard]] double focalLength() const { return focalLength_; }
    [[nodiscard]] CGSize viewportSize() const { return viewport_; }

    // Where a world point shows in the view; nothing when it is behind the near plane.
    [[nodiscard]] std::optional<Projection> projectPoint(const simd_float3& worldPoint) const;
    // The world point in the camera's own coordinates.
    [[nodiscard]] simd_float3 toCamera(const simd_float3& worldPoint) const;

  private:
    simd_float4x4 transform_;
    simd_float4x4 inverse_;
    CGSize viewport_;
    double focalLength_;
};

}  // namespace rovuzu
