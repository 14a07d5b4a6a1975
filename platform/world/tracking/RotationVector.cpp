#include "platform/world/tracking/RotationVector.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/quaternion.hpp>

namespace rovuzu {

glm::dmat3 rotationFromVector(const glm::dvec3& rotationVector) {
    const double angle = glm::length(rotationVector);
    if (angle < 1e-12) {
        return glm::dmat3(1.0);
    }
    return glm::mat3_cast(glm::angleAxis(angle, rotationVector / angle));
}

glm::dvec3 vectorFromRotation(const glm::dmat3& rotation) {
    glm::dquat q = glm::quat_cast(rotation);
    if (q.w < 0.0) {
        q = -q;
    }
    const glm::dvec3 imaginary(q.x, q.y, q.z);
    const double sine = glm::length(imaginary);
    if (sine < 1e-12) {
        // Small angles: the quaternion's vector part is half the rotation vector.
        return 2.0 * imaginary;
    }
    return imaginary * (2.0 * std::atan2(sine, q.w) / sine);
}

double angleBetween(const glm::dmat3& a, const glm::dmat3& b) {
    return glm::length(vectorFromRotation(glm::transpose(a) * b));
}

}  // namespace rovuzu
