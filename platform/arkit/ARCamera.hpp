#pragma once

#include <optional>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/foundation/CGGeometry.hpp"
#include "platform/simd/simd.hpp"

namespace rovuzu {

// A pinhole camera at a pose, looking along its own -z with y up, and how a view of some size
// shows what it sees. The built-in world's camera is a phone's: 60 degrees across the longer
// side of the view, square points. A real camera's picture covers the view instead, scaled to
// fill it, keeping its proportions, its overflow cut evenly off two edges; then its projection
// is the picture's, through the same crop and scale, so that a point of the world shows where
// the picture shows it.
class ARCamera {
  public:
    static constexpr double kFieldOfViewDegrees = 60.0;
    // Points nearer than this to the camera plane are not drawn.
    static constexpr double kNearPlane = 0.05;

    struct Projection {
        CGPoint viewPoint;   // in view points, top-left origin, y down
        double depth = 0.0;  // metres in front of the camera
    };

    // The built-in world's camera.
    ARCamera(const simd_float4x4& transform, CGSize viewportSize);
    // A real camera, whose pictures have these intrinsics.
    ARCamera(const simd_float4x4& transform, CGSize viewportSize, const CameraIntrinsics& picture);

    [[nodiscard]] const simd_float4x4& transform() const { return transform_; }
    [[nodiscard]] CGSize viewportSize() const { return viewport_; }
    // The focal length across, in view points (the built-in world's camera: either way).
    [[nodiscard]] double focalLength() const { return focal_.x; }
    // The part of the picture the view shows, in the picture's pixels (from its edges, not
    // from pixel centres); none for the built-in world's camera, whose picture is the view.
    [[nodiscard]] const std::optional<CGRect>& visiblePart() const { return visible_; }

    // Where a world point shows in the view; nothing when it is behind the near plane.
    [[nodiscard]] std::optional<Projection> projectPoint(const simd_float3& worldPoint) const;
    // The world point in the camera's own coordinates.
    [[nodiscard]] simd_float3 toCamera(const simd_float3& worldPoint) const;

  private:
    simd_float4x4 transform_;
    simd_float4x4 inverse_;
    CGSize viewport_;
    glm::dvec2 focal_;   // view points
    glm::dvec2 centre_;  // view points: where the camera's axis shows
    std::optional<CGRect> visible_;
};

}  // namespace rovuzu
