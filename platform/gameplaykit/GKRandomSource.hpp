#pragma once

#include <cstdint>
#include <random>

namespace rovuzu {

// The shared source of random numbers. Every draw in the game comes from it in one sequence,
// so seeding it makes a whole run repeat exactly. The generator is std::mt19937, whose output
// the C++ standard fixes, and the mapping to floats and bounded integers is our own, so the
// sequence is the same with every standard library.
class GKRandomSource {
  public:
    explicit GKRandomSource(std::uint32_t seed = kDefaultSeed) : engine_(seed) {}

    static GKRandomSource& sharedRandom();

    void seed(std::uint32_t seed) { engine_.seed(seed); }

    // Uniform in [0, 1), with the 24 bits a float can hold.
    float nextUniform();
    // Uniform in [0, upperBound), without modulo bias; 0 when the bound is 0.
    std::uint32_t nextIntWithUpperBound(std::uint32_t upperBound);

    static constexpr std::uint32_t kDefaultSeed = 5489U;

  private:
    std::uint32_t next();

    std::mt19937 engine_;
};

}  // namespace rovuzu
