#pragma once

#include <array>
#include <cstdint>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/simd/simd.hpp"

namespace rovuzu {

// A point in camera coordinates (looking along -z, y up) with its texture coordinates.
struct CameraVertex {
    simd_float3 position{0.0F};
    float u = 0.0F;
    float v = 0.0F;
};

// Cuts triangles in camera coordinates down to what a camera can show: in front of the near
// plane, and within a band a little wider than the view on each side. The band keeps projected
// corners at sensible sizes for the rasteriser while still covering every pixel at the edges.
class FrustumClipper {
  public:
    static constexpr int kPlaneCount = 5;
    static constexpr int kMaxVertices = 3 + kPlaneCount;
    // How far past the view's edges, in points, triangles still reach.
    static constexpr double kGuardBand = 8.0;

    struct Polygon {
        std::array<CameraVertex, kMaxVertices> vertices;
        int count = 0;
    };

    FrustumClipper(double focalLength, CGSize viewport, double nearPlane);

    // One bit for each plane the point lies outside of: zero when it is inside them all.
    [[nodiscard]] std::uint8_t outcode(const simd_float3& point) const;
    // The part of the triangle inside every plane whose bit is set in `planes`.
    [[nodiscard]] Polygon clip(const CameraVertex& a, const CameraVertex& b, const CameraVertex& c,
                               std::uint8_t planes) const;

  private:
    // The planes of a camera with focal length `f`, reaching `halfWidth` and `halfHeight`
    // points either side of the middle of the view, all in points.
    static std::array<simd_float4, kPlaneCount> planesFor(float f, float halfWidth,
                                                          float halfHeight, float near);
    [[nodiscard]] float distance(int plane, const simd_float3& point) const;
    [[nodiscard]] Polygon clipAgainst(const Polygon& in, int plane) const;
    [[nodiscard]] CameraVertex crossing(const CameraVertex& a, const CameraVertex& b,
                                        int plane) const;

    // Each plane as (normal, offset): a point is inside where dot(normal, p) + offset >= 0.
    std::array<simd_float4, kPlaneCount> planes_;
};

}  // namespace rovuzu
