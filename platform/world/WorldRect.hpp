#pragma once

#include <cstddef>

#include "platform/simd/simd.hpp"

namespace rovuzu {

// One of the six directions along the world's axes.
struct AxisDirection {
    int axis = 0;  // 0 for x, 1 for y, 2 for z
    float sign = 1.0F;

    [[nodiscard]] simd_float3 vector() const {
        simd_float3 v{0.0F};
        v[axis] = sign;
        return v;
    }
};

inline constexpr AxisDirection kPlusX{0, 1.0F};
inline constexpr AxisDirection kMinusX{0, -1.0F};
inline constexpr AxisDirection kPlusY{1, 1.0F};
inline constexpr AxisDirection kMinusY{1, -1.0F};
inline constexpr AxisDirection kPlusZ{2, 1.0F};
inline constexpr AxisDirection kMinusZ{2, -1.0F};

// Which part of a texture covers one tile of a surface: texture coordinates from 0 to 1, and
// the tile's size in metres. A surface larger than a tile repeats it; a zero-sized part gives
// a flat colour.
struct TextureTile {
    std::size_t texture = 0;
    float width = 1.0F;
    float height = 1.0F;
    float u0 = 0.0F;
    float v0 = 0.0F;
    float u1 = 1.0F;
    float v1 = 1.0F;
};

// A flat rectangle of the world lying across two axes, seen from its front only. Its picture
// runs from `origin` (the top-left corner seen from the front) along `right` and `down`.
struct WorldRect {
    simd_float3 origin{0.0F};
    AxisDirection right = kPlusX;
    AxisDirection down = kMinusY;
    float width = 0.0F;
    float height = 0.0F;
    TextureTile tile;

    // The side the rectangle is seen from.
    [[nodiscard]] simd_float3 normal() const;
    [[nodiscard]] bool facesPoint(const simd_float3& point) const;
};

}  // namespace rovuzu
