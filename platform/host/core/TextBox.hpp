#pragma once

#include "platform/host/core/Frame.hpp"

namespace rovuzu {

// Where a frame's line of text lands once a backend has set it in a font: every backend sets
// the glyphs at the same size and stretches the set line over the same box.
class TextBox {
  public:
    // Text is set at its drawn size for crisp glyphs, up to this size; beyond it the glyphs
    // are scaled up rather than set ever larger.
    static constexpr int kLargestSetPixels = 512;

    // The em size, in pixels, to set the text's glyphs at.
    [[nodiscard]] static int setSize(const Frame::Text& text);
    // The halo's thickness, in pixels of the glyphs as set at setSize; never beyond the em.
    [[nodiscard]] static double setHalo(const Frame::Text& text);
    // The box for the line as set at setSize: `width` pixels from the pen's start to its end,
    // `height` high, its baseline `ascent` pixels from the top, and `padding` pixels of halo
    // around all that. The glyphs, not the halo, are aligned on the text's baseline point. Its
    // corner is on whole pixels, which keeps unscaled glyphs exactly as they were set.
    [[nodiscard]] static PixelBox of(const Frame::Text& text, int width, int height, int ascent,
                                     int padding);
};

}  // namespace rovuzu
