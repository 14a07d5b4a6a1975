#include "platform/world/WorldMesher.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace rovuzu {

namespace {

// Texture coordinates along one side of a cell: `s` in metres from the rectangle's origin,
// wrapped into the tile that holds the middle of the cell.
float tileCoordinate(float s, float middle, float tileLength, float t0, float t1) {
    if (tileLength <= 0.0F) {
        return t0;
    }
    const float tile = std::floor(middle / tileLength);
    const float within = std::clamp(s / tileLength - tile, 0.0F, 1.0F);
    return t0 + (t1 - t0) * within;
}

}  // namespace

WorldMesher::WorldMesher(const ARCamera& camera, const CutLattice& lattice, WorldFrame& frame)
    : camera_(camera),
      frame_(frame),
      eye_(camera.transform()[3]),
      clipper_(camera.focalLength(), camera.viewportSize(), ARCamera::kNearPlane),
      lattice_(lattice) {}

WorldMesher::Span WorldMesher::extent(const WorldRect& rect, AxisDirection direction,
                                      float length) {
    const float start = rect.origin[direction.axis];
    const float end = start + direction.sign * length;
    return {std::min(start, end), std::max(start, end)};
}

void WorldMesher::add(const WorldRect& rect) {
    if (!rect.facesPoint(eye_) || rect.width <= 0.0F || rect.height <= 0.0F || isOutOfView(rect)) {
        return;
    }
    buildGrid(rect);
    for (std::size_t row = 0; row + 1 < rows_.size(); ++row) {
        for (std::size_t column = 0; column + 1 < columns_.size(); ++column) {
            addCell(rect, column, row);
        }
    }
}

bool WorldMesher::isOutOfView(const WorldRect& rect) const {
    const simd_float3 right = rect.right.vector() * rect.width;
    const simd_float3 down = rect.down.vector() * rect.height;
    const std::array<simd_float3, 4> corners{rect.origin, rect.origin + right, rect.origin + down,
                                             rect.origin + right + down};
    std::uint8_t common = 0xFF;
    for (const simd_float3& corner : corners) {
        common &= clipper_.outcode(camera_.toCamera(corner));
    }
    return common != 0;
}

void WorldMesher::buildGrid(const WorldRect& rect) {
    const Span across = extent(rect, rect.right, rect.width);
    const Span along = extent(rect, rect.down, rect.height);
    lattice_.cuts(rect.right.axis, across.lo, across.hi, columns_);
    lattice_.cuts(rect.down.axis, along.lo, along.hi, rows_);
    grid_.clear();
    simd_float3 world = rect.origin;
    for (const float rowAt : rows_) {
        world[rect.down.axis] = rowAt;
        for (const float columnAt : columns_) {
            world[rect.right.axis] = columnAt;
            const simd_float3 position = camera_.toCamera(world);
            grid_.push_back({position, clipper_.outcode(position)});
        }
    }
}

void WorldMesher::addCell(const WorldRect& rect, std::size_t column, std::size_t row) {
    const std::size_t stride = columns_.size();
    const GridPoint& p00 = grid_[row * stride + column];
    const GridPoint& p10 = grid_[row * stride + column + 1];
    const GridPoint& p01 = grid_[(row + 1) * stride + column];
    const GridPoint& p11 = grid_[(row + 1) * stride + column + 1];
    if ((p00.outcode & p10.outcode & p01.outcode & p11.outcode) != 0U) {
        return;
    }
    // Distances in metres from the rectangle's origin along its right and down directions.
    const auto along = [&rect](AxisDirection direction, float at) {
        return (at - rect.origin[direction.axis]) * direction.sign;
    };
    const float s0 = along(rect.right, columns_[column]);
    const float s1 = along(rect.right, columns_[column + 1]);
    const float t0 = along(rect.down, rows_[row]);
    const float t1 = along(rect.down, rows_[row + 1]);
    const TextureTile& tile = rect.tile;
    const float u0 = tileCoordinate(s0, (s0 + s1) / 2.0F, tile.width, tile.u0, tile.u1);
    const float u1 = tileCoordinate(s1, (s0 + s1) / 2.0F, tile.width, tile.u0, tile.u1);
    const float v0 = tileCoordinate(t0, (t0 + t1) / 2.0F, tile.height, tile.v0, tile.v1);
    const float v1 = tileCoordinate(t1, (t0 + t1) / 2.0F, tile.height, tile.v0, tile.v1);
    const CameraVertex a{p00.position, u0, v0};
    const CameraVertex b{p10.position, u1, v0};
    const CameraVertex c{p11.position, u1, v1};
    const CameraVertex d{p01.position, u0, v1};
    addTriangle(tile.texture, a, b, c, p00.outcode | p10.outcode | p11.outcode);
    addTriangle(tile.texture, a, c, d, p00.outcode | p11.outcode | p01.outcode);
}

void WorldMesher::addTriangle(std::size_t texture, const CameraVertex& a, const CameraVertex& b,
                              const CameraVertex& c, std::uint8_t planes) {
    if (planes == 0U) {
        frame_.addTriangle(texture, project(a), project(b), project(c));
        return;
    }
    const FrustumClipper::Polygon polygon = clipper_.clip(a, b, c, planes);
    if (polygon.count < 3) {
        return;
    }
    const WorldVertex first = project(polygon.vertices[0]);
    const auto count = static_cast<std::size_t>(polygon.count);
    for (std::size_t i = 1; i + 1 < count; ++i) {
        frame_.addTriangle(texture, first, project(polygon.vertices[i]),
                           project(polygon.vertices[i + 1]));
    }
}

WorldVertex WorldMesher::project(const CameraVertex& vertex) const {
    const CGSize viewport = camera_.viewportSize();
    const auto f = static_cast<float>(camera_.focalLength());
    const float depth = -vertex.position.z;
    return {static_cast<float>(viewport.width / 2.0) + f * vertex.position.x / depth,
            static_cast<float>(viewport.height / 2.0) - f * vertex.position.y / depth, vertex.u,
            vertex.v};
}

}  // namespace rovuzu
