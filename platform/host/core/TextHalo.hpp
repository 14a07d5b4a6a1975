#pragma once

#include <cstdint>
#include <vector>

namespace rovuzu {

// White text reads over any picture only with something dark around it: each backend sets a
// line's glyphs as coverage, and this turns them into white glyphs over a soft black halo, solid
// for `thickness` pixels all around the ink and then fading out over as much again. The halo is
// black, so a tint that multiplies the texels keeps it black: one picture serves every colour.
class TextHalo {
  public:
    // The halo's solid part: this share of the em, but never under this many points.
    static constexpr double kEmShare = 0.08;
    static constexpr double kLeastPoints = 1.0;
    // The fade beyond the solid part, as a share of the solid part's width.
    static constexpr double kFadeShare = 1.0;

    // Straight (not premultiplied) alpha, four bytes a pixel in the order red, green, blue,
    // alpha, rows top to bottom: the glyphs' bitmap with `padding` pixels added on every side.
    struct Picture {
        int width = 0;
        int height = 0;
        int padding = 0;
        std::vector<std::uint8_t> rgba;
    };

    // The solid part's width, in pixels, for text whose em is `emPixels` pixels where a point is
    // `pixelsPerPoint` pixels.
    [[nodiscard]] static double thickness(double emPixels, double pixelsPerPoint);
    // The glyphs of `coverage` (`width` by `height` bytes, rows top to bottom, 0 for bare and
    // 255 for covered) over a halo `thickness` pixels thick. Nothing for a bitmap of no pixels
    // or of the wrong size.
    [[nodiscard]] static Picture around(const std::vector<std::uint8_t>& coverage, int width,
                                        int height, double thickness);
};

}  // namespace rovuzu
