#pragma once

#include <string>

#include "platform/host/core/Readouts.hpp"
#include "platform/host/sdl/TextCache.hpp"

namespace rovuzu {

// Paints the read-outs and the notice of a frame, each a line on a dark strip.
class ReadoutPainter {
  public:
    ReadoutPainter(SDL_Renderer* renderer, TextCache& text);

    // Nothing for an empty line.
    void draw(const std::string& line, Readouts::Corner corner, const PixelArea& area,
              double pixelsPerPoint);

  private:
    SDL_Renderer* renderer_;
    TextCache& text_;
};

}  // namespace rovuzu
