#pragma once

#include <string>

#include "platform/host/TextCache.hpp"

namespace rovuzu {

class SKView;

// The frame rate and node count a view shows on request, in small type on a dark strip in its
// bottom-right corner, as the platform's debug read-outs do.
class Readouts {
  public:
    static constexpr double kFontSize = 11.0;  // points
    static constexpr const char* kFontName = "Avenir Next";

    Readouts(SDL_Renderer* renderer, TextCache& text);

    // Nothing when the view asks for neither read-out.
    void draw(const SKView& view, const SDL_Rect& area, double pixelsPerPoint);

    // The text for the view, such as "12 nodes  60 fps"; empty when neither is shown.
    [[nodiscard]] static std::string text(const SKView& view);

  private:
    SDL_Renderer* renderer_;
    TextCache& text_;
};

}  // namespace rovuzu
