#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "platform/world/Rgba.hpp"

namespace rovuzu {

// The rows of a picture from `first` up to, not including, `end`: the part of it to paint or
// copy, so that a large picture can be painted a band at a time and come out the same.
struct PixelRows {
    int first = 0;
    int end = std::numeric_limits<int>::max();
};

// A picture in memory: rows top to bottom, four bytes a pixel in the order red, green, blue,
// alpha, no padding between rows. It may hold only a band of the picture's rows, to be painted
// on its own: its pixels are then only those rows' and its other pixels take no paint.
class PixelImage {
  public:
    PixelImage() = default;
    // Filled with `fill`. A negative side counts as zero.
    PixelImage(int width, int height, Rgba fill);
    // Holding `rgba`, four bytes a pixel; bytes that are not `width` by `height` pixels make an
    // empty image.
    PixelImage(int width, int height, std::vector<std::uint8_t> rgba);
    // Only the given rows of a `width` by `height` picture, filled with `fill`.
    PixelImage(int width, int height, Rgba fill, PixelRows rows);

    // The whole picture's size.
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }
    // The rows it holds: all of them, or a band.
    [[nodiscard]] PixelRows rows() const { return rows_; }
    // The pixels of the rows it holds.
    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return bytes_; }

    // Transparent black outside the rows it holds.
    [[nodiscard]] Rgba pixel(int x, int y) const;
    // Lays `colour` over the pixel with the colour's alpha times `coverage`; outside the rows
    // it holds nothing happens.
    void blend(int x, int y, const Rgba& colour, float coverage = 1.0F);
    // Takes the rows, those both hold, from a picture of the same size; nothing from a picture
    // of another size.
    void copyRows(const PixelImage& from, PixelRows rows);

  private:
    [[nodiscard]] bool holds(int x, int y) const;
    [[nodiscard]] std::size_t offset(int x, int y) const;

    int width_ = 0;
    int height_ = 0;
    PixelRows rows_{0, 0};
    std::vector<std::uint8_t> bytes_;
};

}  // namespace rovuzu
