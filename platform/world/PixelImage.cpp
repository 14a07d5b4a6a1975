#include "platform/world/PixelImage.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace rovuzu {

namespace {

// Rounds half away from zero as std::lround does, without its library call: the world's
// textures take millions of these at start-up. In double, adding a half to a float is exact.
std::uint8_t toByte(float value) {
    const float scaled = std::clamp(value, 0.0F, 1.0F) * 255.0F;
    return static_cast<std::uint8_t>(static_cast<double>(scaled) + 0.5);  // NOLINT(*-roundings)
}

// The same quotients as dividing each time, looked up.
const std::array<float, 256>& byteValues() {
    static const std::array<float, 256> values = [] {
        std::array<float, 256> table{};
        for (std::size_t i = 0; i < table.size(); ++i) {
            table[i] = static_cast<float>(i) / 255.0F;
        }
        return table;
    }();
    return values;
}

float fromByte(std::uint8_t value) {
    return byteValues()[value];
}

}  // namespace

PixelImage::PixelImage(int width, int height, Rgba fill)
    : PixelImage(width, height, fill, PixelRows{}) {}

PixelImage::PixelImage(int width, int height, Rgba fill, PixelRows rows)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
    rows_.first = std::clamp(rows.first, 0, height_);
    rows_.end = std::clamp(rows.end, rows_.first, height_);
    bytes_.resize(static_cast<std::size_t>(width_) *
                  static_cast<std::size_t>(rows_.end - rows_.first) * 4U);
    const std::array<std::uint8_t, 4> pixel{toByte(fill.r), toByte(fill.g), toByte(fill.b),
                                            toByte(fill.a)};
    if (bytes_.empty()) {
        return;
    }
    // One pixel, then the filled part copied onto the rest, doubling each time: the world's
    // textures are megabytes, filled at start-up.
    std::memcpy(bytes_.data(), pixel.data(), pixel.size());
    for (std::size_t filled = pixel.size(); filled < bytes_.size(); filled *= 2) {
        const std::size_t copied = std::min(filled, bytes_.size() - filled);
        std::memcpy(bytes_.data() + filled, bytes_.data(), copied);
    }
}

PixelImage::PixelImage(int width, int height, std::vector<std::uint8_t> rgba) {
    if (width > 0 && height > 0 &&
        rgba.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4U) {
        width_ = width;
        height_ = height;
        rows_ = {0, height};
        bytes_ = std::move(rgba);
    }
}

bool PixelImage::holds(int x, int y) const {
    return x >= 0 && x < width_ && y >= rows_.first && y < rows_.end;
}

std::size_t PixelImage::offset(int x, int y) const {
    return (static_cast<std::size_t>(y - rows_.first) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           4U;
}

Rgba PixelImage::pixel(int x, int y) const {
    if (!holds(x, y)) {
        return {0.0F, 0.0F, 0.0F, 0.0F};
    }
    const std::uint8_t* p = &bytes_[offset(x, y)];
    return {fromByte(p[0]), fromByte(p[1]), fromByte(p[2]), fromByte(p[3])};
}

void PixelImage::blend(int x, int y, const Rgba& colour, float coverage) {
    const float alpha = std::clamp(colour.a * coverage, 0.0F, 1.0F);
    if (!holds(x, y) || alpha <= 0.0F) {
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

void PixelImage::copyRows(const PixelImage& from, PixelRows rows) {
    if (from.width_ != width_ || from.height_ != height_) {
        return;
    }
    const int first = std::max({rows.first, rows_.first, from.rows_.first});
    const int end = std::min({rows.end, rows_.end, from.rows_.end});
    if (first >= end || width_ == 0) {
        return;
    }
    std::copy(from.bytes_.begin() + static_cast<std::ptrdiff_t>(from.offset(0, first)),
              from.bytes_.begin() + static_cast<std::ptrdiff_t>(from.offset(0, end)),
              bytes_.begin() + static_cast<std::ptrdiff_t>(offset(0, first)));
}

}  // namespace rovuzu
