#pragma once

#include <vector>

#include "platform/simd/simd.hpp"
#include "platform/world/WorldRect.hpp"

namespace rovuzu {

// A solid box along the world's axes (a piece of furniture, or part of one), drawn as its
// outward faces.
struct WorldBox {
    simd_float3 min{0.0F};
    simd_float3 max{0.0F};
    std::vector<WorldRect> faces;

    // Whether this box must be painted before `other` for a camera at `eye`: true when the two
    // are apart along some axis and `other` lies on the eye's side of the gap.
    [[nodiscard]] bool isBehind(const WorldBox& other, const simd_float3& eye) const;
};

}  // namespace rovuzu
