#pragma once

#include <string>

#include "platform/host/sdl/TextCache.hpp"

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
    // A short notice from the platform, such as lost tracking, in the same type at the top.
    void drawNotice(const std::string& notice, const SDL_Rect& area, double pixelsPerPoint);

    // The text for the view, such as "12 nodes  60 fps"; empty when neither is shown.
    [[nodiscard]] static std::string text(const SKView& view);

  private:
    enum class Corner { bottomRight, topCentre };
    void drawLine(const std::string& line, Corner corner, const SDL_Rect& area,
                  double pixelsPerPoint);

    SDL_Renderer* renderer_;
    TextCache& text_;
};

}  // namespace rovuzu
