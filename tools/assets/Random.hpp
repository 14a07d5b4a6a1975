#pragma once

#include <cstdint>

namespace rovuzu {

// SplitMix64 with our own float mapping: the standard distributions may differ between
// library versions, and the generated assets must come out byte-identical everywhere.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

    // Uniform in [0, 1).
    float unit() { return static_cast<float>(next() >> 40) / 16777216.0f; }

    // Uniform in [-1, 1).
    float bipolar() { return unit() * 2.0f - 1.0f; }

  private:
    std::uint64_t state_;
};

}  // namespace rovuzu
