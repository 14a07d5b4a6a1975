#pragma once

#include <cstdint>

namespace rovuzu {

// Deterministic pseudo-random numbers for painting: the same inputs give the same values on
// every machine, which keeps the world's textures (and so screenshots) reproducible.
class Noise {
  public:
    // A value in [0, 1) for integer coordinates and a seed.
    static float hash(std::int32_t x, std::int32_t y, std::uint32_t seed);
    // Smooth value noise in [0, 1): hashed lattice values blended over unit cells.
    static float smooth(float x, float y, std::uint32_t seed);
};

}  // namespace rovuzu
