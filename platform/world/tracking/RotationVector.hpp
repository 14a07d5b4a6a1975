#pragma once

#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>

namespace rovuzu {

// Rotations as axis times angle (radians), the form angular velocities integrate in.
[[nodiscard]] glm::dmat3 rotationFromVector(const glm::dvec3& rotationVector);
[[nodiscard]] glm::dvec3 vectorFromRotation(const glm::dmat3& rotation);
// The angle in radians between two rotations.
[[nodiscard]] double angleBetween(const glm::dmat3& a, const glm::dmat3& b);

}  // namespace rovuzu
