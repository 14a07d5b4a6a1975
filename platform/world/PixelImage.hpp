#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/world/Rgba.hpp"

namespace rovuzu {

// A picture in memory: rows top to bottom, four bytes a pixel in the order red, green, blue,
// alpha, no padding between rows.
class PixelImage {
  public:
    PixelImage() = default;
    // Filled with `fill`. A negative side counts as zero.
    PixelImage(int width, int height, Rgba fill);
    // Holding `rgba`, four bytes a pixel; bytes that are not `width` by `height` pixels make an
    // empty image.
    PixelImage(int width, int height, std::vector<std::uint8_t> rgba);

    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    [[nodiscard]] Rgba pixel(int x, int y) const;
    // Lays `colour` over the pixel with the colour's alpha times `coverage`; outside the image
    // nothing happens.
    void blend(int x, int y, const Rgba& colour, float coverage = 1.0F);

  private:
    [[nodiscard]] std::size_t offset(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> bytes_;
};

}  // namespace rovuzu
