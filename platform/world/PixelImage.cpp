#include "platform/world/PixelImage.hpp"

#include <algorithm>
#include <array>
#include <cmath>

namespace rovuzu {

namespace {

std::uint8_t toByte(float value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0F, 1.0F) * 255.0F));
}

float fromByte(std::uint8_t value) {
    return static_cast<float>(value) / 255.0F;
}

}  // namespace

PixelImage::PixelImage(int width, int height, Rgba fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    bytes_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 4U);
    const std::array<std::uint8_t, 4> pixel{toByte(fill.r), toByte(fill.g), toByte(fill.b),
                                            toByte(fill.a)};
    for (std::size_t i = 0; i < bytes_.size(); ++i) {
        bytes_[i] = pixel[i % 4U];
    }
}

std::size_t PixelImage::offset(int x, int y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           4U;
}

Rgba PixelImage::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) {
        return {0.0F, 0.0F, 0.0F, 0.0F};
    }
    const std::uint8_t* p = &bytes_[offset(x, y)];
    return {fromByte(p[0]), fromByte(p[1]), fromByte(p[2]), fromByte(p[3])};
}

void PixelImage::blend(int x, int y, const Rgba& colour, float coverage) {
    const float alpha = std::clamp(colour.a * coverage, 0.0F, 1.0F);
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0.0F) {
        return;
    }
    std::uint8_t* p = &bytes_[offset(x, y)];
    if (alpha >= 1.0F) {
        p[0] = toByte(colour.r);
        p[1] = toByte(colour.g);
        p[2] = toByte(colour.b);
        p[3] = 255;
        return;
    }
    const Rgba below{fromByte(p[0]), fromByte(p[1]), fromByte(p[2]), fromByte(p[3])};
    const float outAlpha = alpha + below.a * (1.0F - alpha);
    const auto over = [&](float top, float under) {
        return outAlpha > 0.0F ? (top * alpha + under * below.a * (1.0F - alpha)) / outAlpha : 0.0F;
    };
    p[0] = toByte(over(colour.r, below.r));
    p[1] = toByte(over(colour.g, below.g));
    p[2] = toByte(over(colour.b, below.b));
    p[3] = toByte(outAlpha);
}

}  // namespace rovuzu
