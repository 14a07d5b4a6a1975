#pragma once

#include <string>

#include "platform/host/core/Frame.hpp"

namespace rovuzu {

class SKView;

// The frame rate and node count a view shows on request, in small type on a dark strip in its
// bottom-right corner, as the platform's debug read-outs do; a notice from the platform, such
// as lost tracking, goes in the same type at the top.
class Readouts {
  public:
    static constexpr double kFontSize = 11.0;  // points
    static constexpr const char* kFontName = "Avenir Next";
    static constexpr double kBackingAlpha = 0.45;  // of black

    enum class Corner { bottomRight, topCentre };

    // Where a line goes: its dark backing, and the top-left corner of its text.
    struct Strip {
        PixelArea backing;
        int textX = 0;
        int textY = 0;
    };

    // The text for the view, such as "12 nodes  60 fps"; empty when neither is shown.
    [[nodiscard]] static std::string text(const SKView& view);
    // The dark halo around the type's glyphs, in pixels: the strip alone is too light behind
    // white text over a light picture.
    [[nodiscard]] static double halo(double pixelsPerPoint);
    // The strip for a line of text `width` by `height` pixels in a corner of `area`.
    [[nodiscard]] static Strip strip(Corner corner, int width, int height, const PixelArea& area,
                                     double pixelsPerPoint);
};

}  // namespace rovuzu
