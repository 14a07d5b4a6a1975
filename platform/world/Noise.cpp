#include "platform/world/Noise.hpp"

#include <cmath>

namespace rovuzu {

namespace {

std::uint32_t mix(std::uint32_t h) {
    // The finaliser of MurmurHash3: every input bit reaches every output bit.
    h ^= h >> 16U;
    h *= 0x85EBCA6BU;
    h ^= h >> 13U;
    h *= 0xC2B2AE35U;
    h ^= h >> 16U;
    return h;
}

float fade(float t) {
    return t * t * (3.0F - 2.0F * t);
}

}  // namespace

float Noise::hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    const std::uint32_t h = mix(static_cast<std::uint32_t>(x) * 0x9E3779B1U ^
                                mix(static_cast<std::uint32_t>(y) * 0x85EBCA77U ^ seed));
    return static_cast<float>(h >> 8U) / static_cast<float>(1U << 24U);
}

float Noise::smooth(float x, float y, std::uint32_t seed) {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx);
    const auto iy = static_cast<std::int32_t>(fy);
    const float tx = fade(x - fx);
    const float ty = fade(y - fy);
    const float top = hash(ix, iy, seed) + (hash(ix + 1, iy, seed) - hash(ix, iy, seed)) * tx;
    const float bottom =
        hash(ix, iy + 1, seed) + (hash(ix + 1, iy + 1, seed) - hash(ix, iy + 1, seed)) * tx;
    return top + (bottom - top) * ty;
}

}  // namespace rovuzu
