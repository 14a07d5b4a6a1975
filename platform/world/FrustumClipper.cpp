#include "platform/world/FrustumClipper.hpp"

#include <glm/geometric.hpp>
#include <tuple>

namespace rovuzu {

namespace {

bool isBefore(const simd_float3& a, const simd_float3& b) {
    return std::tie(a.x, a.y, a.z) < std::tie(b.x, b.y, b.z);
}

}  // namespace

FrustumClipper::FrustumClipper(double focalLength, CGSize viewport, double nearPlane)
    : planes_(planesFor(
          static_cast<float>(focalLength), static_cast<float>(viewport.width / 2.0 + kGuardBand),
          static_cast<float>(viewport.height / 2.0 + kGuardBand), static_cast<float>(nearPlane))) {}

std::array<simd_float4, FrustumClipper::kPlaneCount> FrustumClipper::planesFor(float f,
                                                                               float halfWidth,
                                                                               float halfHeight,
                                                                               float near) {
    return {
        simd_float4{0.0F, 0.0F, -1.0F, -near},
        simd_float4{-f, 0.0F, -halfWidth, 0.0F},   // right edge
        simd_float4{f, 0.0F, -halfWidth, 0.0F},    // left edge
        simd_float4{0.0F, -f, -halfHeight, 0.0F},  // top edge
        simd_float4{0.0F, f, -halfHeight, 0.0F},   // bottom edge
    };
}

float FrustumClipper::distance(int plane, const simd_float3& point) const {
    const simd_float4& p = planes_[static_cast<std::size_t>(plane)];
    return glm::dot(simd_float3{p}, point) + p.w;
}

std::uint8_t FrustumClipper::outcode(const simd_float3& point) const {
    std::uint8_t code = 0;
    for (int plane = 0; plane < kPlaneCount; ++plane) {
        if (distance(plane, point) < 0.0F) {
            code = static_cast<std::uint8_t>(code | (1U << static_cast<unsigned>(plane)));
        }
    }
    return code;
}

FrustumClipper::Polygon FrustumClipper::clip(const CameraVertex& a, const CameraVertex& b,
                                             const CameraVertex& c, std::uint8_t planes) const {
    Polygon polygon;
    polygon.vertices[0] = a;
    polygon.vertices[1] = b;
    polygon.vertices[2] = c;
    polygon.count = 3;
    for (int plane = 0; plane < kPlaneCount && polygon.count > 0; ++plane) {
        if ((planes & (1U << static_cast<unsigned>(plane))) != 0U) {
            polygon = clipAgainst(polygon, plane);
        }
    }
    return polygon;
}

FrustumClipper::Polygon FrustumClipper::clipAgainst(const Polygon& in, int plane) const {
    Polygon out;
    for (int i = 0; i < in.count; ++i) {
        const CameraVertex& current = in.vertices[static_cast<std::size_t>(i)];
        const CameraVertex& next = in.vertices[static_cast<std::size_t>((i + 1) % in.count)];
        const bool currentInside = distance(plane, current.position) >= 0.0F;
        const bool nextInside = distance(plane, next.position) >= 0.0F;
        if (currentInside) {
            out.vertices[static_cast<std::size_t>(out.count++)] = current;
        }
        if (currentInside != nextInside) {
            out.vertices[static_cast<std::size_t>(out.count++)] = crossing(current, next, plane);
        }
    }
    return out;
}

CameraVertex FrustumClipper::crossing(const CameraVertex& a, const CameraVertex& b,
                                      int plane) const {
    // Always measured from the same end of the edge, so that two triangles sharing the edge
    // get bit-identical crossings and stay joined.
    if (isBefore(b.position, a.position)) {
        return crossing(b, a, plane);
    }
    const float da = distance(plane, a.position);
    const float db = distance(plane, b.position);
    const float t = da / (da - db);
    return {a.position + (b.position - a.position) * t, a.u + (b.u - a.u) * t,
            a.v + (b.v - a.v) * t};
}

}  // namespace rovuzu
