#include "Shapes.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>
#include <utility>

namespace rovuzu::shapes {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

glm::vec2 rotated(glm::vec2 p, float angle) {
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return {c * p.x - s * p.y, s * p.x + c * p.y};
}

// Exact distance to a regular hexagon with flat top and bottom.
float hexagonDistance(glm::vec2 p, float inradius) {
    const glm::vec2 k(-0.866025404f, 0.5f);
    const float halfSide = 0.577350269f * inradius;
    p = glm::abs(p);
    p -= 2.0f * std::min(glm::dot(k, p), 0.0f) * k;
    p -= glm::vec2(std::clamp(p.x, -halfSide, halfSide), inradius);
    return glm::length(p) * (p.y < 0.0f ? -1.0f : 1.0f);
}

// Exact distance to a regular star, first point straight up.
float starDistance(glm::vec2 p, float radius, int points, float sharpness) {
    const float sector = kPi / static_cast<float>(points);
    const glm::vec2 tip(std::cos(sector), std::sin(sector));
    const float inner = kPi / sharpness;
    const glm::vec2 edge(std::cos(inner), std::sin(inner));
    p.x = std::abs(p.x);
    const float angle = std::fmod(std::atan2(p.x, -p.y), 2.0f * sector) - sector;
    p = glm::length(p) * glm::vec2(std::cos(angle), std::abs(std::sin(angle)));
    p -= radius * tip;
    p += edge * std::clamp(-glm::dot(p, edge), 0.0f, radius * tip.y / edge.y);
    return glm::length(p) * (p.x < 0.0f ? -1.0f : 1.0f);
}

}  // namespace

Field circle(glm::vec2 centre, float radius) {
    return [=](glm::vec2 p) { return glm::length(p - centre) - radius; };
}

Field roundedBox(glm::vec2 centre, glm::vec2 halfSize, float cornerRadius) {
    return [=](glm::vec2 p) {
        const glm::vec2 q = glm::abs(p - centre) - halfSize + cornerRadius;
        return glm::length(glm::max(q, 0.0f)) + std::min(std::max(q.x, q.y), 0.0f) - cornerRadius;
    };
}

Field hexagon(glm::vec2 centre, float inradius, float cornerRadius, float rotation) {
    return [=](glm::vec2 p) {
        return hexagonDistance(rotated(p - centre, -rotation), inradius - cornerRadius) -
               cornerRadius;
    };
}

Field star(glm::vec2 centre, float radius, int points, float sharpness, float cornerRadius,
           float rotation) {
    return [=](glm::vec2 p) {
        return starDistance(rotated(p - centre, -rotation), radius - cornerRadius, points,
                            sharpness) -
               cornerRadius;
    };
}

Field capsule(glm::vec2 from, glm::vec2 to, float radius) {
    return [=](glm::vec2 p) {
        const glm::vec2 along = to - from;
        const float t = std::clamp(glm::dot(p - from, along) / glm::dot(along, along), 0.0f, 1.0f);
        return glm::length(p - from - along * t) - radius;
    };
}

Field grown(Field shape, float amount) {
    return [shape = std::move(shape), amount](glm::vec2 p) { return shape(p) - amount; };
}

Field moved(Field shape, glm::vec2 offset) {
    return [shape = std::move(shape), offset](glm::vec2 p) { return shape(p - offset); };
}

Field outline(Field shape, float halfWidth) {
    return [shape = std::move(shape), halfWidth](glm::vec2 p) {
        return std::abs(shape(p)) - halfWidth;
    };
}

Field unite(Field a, Field b) {
    return [a = std::move(a), b = std::move(b)](glm::vec2 p) { return std::min(a(p), b(p)); };
}

Field subtract(Field shape, Field hole) {
    return [shape = std::move(shape), hole = std::move(hole)](glm::vec2 p) {
        return std::max(shape(p), -hole(p));
    };
}

}  // namespace rovuzu::shapes
