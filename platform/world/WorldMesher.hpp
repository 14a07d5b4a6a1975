#pragma once

#include <cstdint>
#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/world/CutLattice.hpp"
#include "platform/world/FrustumClipper.hpp"
#include "platform/world/WorldFrame.hpp"
#include "platform/world/WorldRect.hpp"

namespace rovuzu {

// Turns rectangles of the world into the triangles one camera sees: cut into cells along the
// shared lattice, clipped to what the camera can show, projected to view points.
class WorldMesher {
  public:
    // Cuts along `lattice`, which must be made for the same camera.
    WorldMesher(const ARCamera& camera, const CutLattice& lattice, WorldFrame& frame);

    // Adds the part of the rectangle in view, when its front faces the camera.
    void add(const WorldRect& rect);

  private:
    struct GridPoint {
        simd_float3 position;  // camera coordinates
        std::uint8_t outcode;
    };
    struct Span {
        float lo;
        float hi;
    };

    [[nodiscard]] static Span extent(const WorldRect& rect, AxisDirection direction, float length);
    [[nodiscard]] bool isOutOfView(const WorldRect& rect) const;
    void buildGrid(const WorldRect& rect);
    void addCell(const WorldRect& rect, std::size_t column, std::size_t row);
    void addTriangle(std::size_t texture, const CameraVertex& a, const CameraVertex& b,
                     const CameraVertex& c, std::uint8_t planes);
    [[nodiscard]] WorldVertex project(const CameraVertex& vertex) const;

    const ARCamera& camera_;
    WorldFrame& frame_;
    simd_float3 eye_;
    FrustumClipper clipper_;
    const CutLattice& lattice_;
    std::vector<float> columns_;  // world coordinates of the cuts along the rectangle's width
    std::vector<float> rows_;     // and along its height, each in increasing order
    std::vector<GridPoint> grid_;
};

}  // namespace rovuzu
