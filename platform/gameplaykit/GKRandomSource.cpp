#include "platform/gameplaykit/GKRandomSource.hpp"

#include <limits>

namespace rovuzu {

GKRandomSource& GKRandomSource::sharedRandom() {
    static GKRandomSource source;
    return source;
}

float GKRandomSource::nextUniform() {
    constexpr int kFloatBits = std::numeric_limits<float>::digits;  // 24
    constexpr float kScale = 1.0F / static_cast<float>(1U << kFloatBits);
    return static_cast<float>(next() >> (32 - kFloatBits)) * kScale;
}

std::uint32_t GKRandomSource::next() {
    return static_cast<std::uint32_t>(engine_());
}

std::uint32_t GKRandomSource::nextIntWithUpperBound(std::uint32_t upperBound) {
    if (upperBound == 0) {
        return 0;
    }
    // Reject the top sliver of the 32-bit range that does not divide evenly by the bound.
    const std::uint32_t limit = std::numeric_limits<std::uint32_t>::max() -
                                std::numeric_limits<std::uint32_t>::max() % upperBound;
    std::uint32_t draw = next();
    while (draw >= limit) {
        draw = next();
    }
    return draw % upperBound;
}

}  // namespace rovuzu
