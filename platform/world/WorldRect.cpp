#include "platform/world/WorldRect.hpp"

#include <glm/geometric.hpp>

namespace rovuzu {

simd_float3 WorldRect::normal() const {
    return glm::cross(down.vector(), right.vector());
}

bool WorldRect::facesPoint(const simd_float3& point) const {
    return glm::dot(point - origin, normal()) > 0.0F;
}

}  // namespace rovuzu
