#pragma once

#include <algorithm>
#include <cstdint>

namespace rovuzu {

// A colour for painting the world's textures: components from 0 to 1, not premultiplied.
struct Rgba {
    float r = 0.0F;
    float g = 0.0F;
    float b = 0.0F;
    float a = 1.0F;

    // From 0xRRGGBB, opaque.
    static constexpr Rgba hex(std::uint32_t rgb) {
        return {static_cast<float>((rgb >> 16U) & 0xFFU) / 255.0F,
                static_cast<float>((rgb >> 8U) & 0xFFU) / 255.0F,
                static_cast<float>(rgb & 0xFFU) / 255.0F, 1.0F};
    }

    // The straight line from this colour (t = 0) to `other` (t = 1), alpha included.
    [[nodiscard]] constexpr Rgba mix(const Rgba& other, float t) const {
        return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t,
                a + (other.a - a) * t};
    }
    // Lighter for a positive amount (towards white), darker for a negative one (towards black).
    [[nodiscard]] constexpr Rgba shade(float amount) const {
        const Rgba target = amount >= 0.0F ? Rgba{1.0F, 1.0F, 1.0F, a} : Rgba{0.0F, 0.0F, 0.0F, a};
        return mix(target, std::min(amount >= 0.0F ? amount : -amount, 1.0F));
    }
    [[nodiscard]] constexpr Rgba withAlpha(float alpha) const { return {r, g, b, alpha}; }
};

}  // namespace rovuzu
