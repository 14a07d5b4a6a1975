#pragma once

#include <array>
#include <glm/mat4x4.hpp>

namespace rovuzu {

// A 4x4 float matrix applied to column vectors; m[c][r] is column c, row r. Translation sits
// in column 3.
using simd_float4x4 = glm::mat4;
using simd_float3 = glm::vec3;
using simd_float4 = glm::vec4;

inline const simd_float4x4 matrix_identity_float4x4{1.0F};

// SceneKit's matrix: sixteen floats in order, the first four being column 0.
struct SCNMatrix4 {
    std::array<float, 16> m{};
};

// Rotation by `angle` radians about the axis (x, y, z), counter-clockwise when looking down the
// axis towards the origin. The axis is normalised.
SCNMatrix4 SCNMatrix4MakeRotation(float angle, float x, float y, float z);

// The same sixteen values, in the same order.
simd_float4x4 simd_float4x4FromSCNMatrix4(const SCNMatrix4& matrix);

}  // namespace rovuzu
