#include "platform/host/sdl/ReadoutPainter.hpp"

#include <cmath>

namespace rovuzu {

ReadoutPainter::ReadoutPainter(SDL_Renderer* renderer, TextCache& text)
    : renderer_(renderer), text_(text) {}

void ReadoutPainter::draw(const std::string& line, Readouts::Corner corner, const PixelArea& area,
                          double pixelsPerPoint) {
    const auto pixelSize = static_cast<int>(std::lround(Readouts::kFontSize * pixelsPerPoint));
    const TextCache::Line* rendered =
        line.empty()
            ? nullptr
            : text_.line(Readouts::kFontName, pixelSize, Readouts::halo(pixelsPerPoint), line);
    if (rendered == nullptr) {
        return;
    }
    const Readouts::Strip strip =
        Readouts::strip(corner, rendered->width, rendered->height, area, pixelsPerPoint);
    const SDL_Rect backing{strip.backing.x, strip.backing.y, strip.backing.width,
                           strip.backing.height};
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0,
                           static_cast<Uint8>(std::lround(Readouts::kBackingAlpha * 255.0)));
    SDL_RenderFillRect(renderer_, &backing);
    const int padding = rendered->padding;
    const SDL_Rect text{strip.textX - padding, strip.textY - padding, rendered->width + 2 * padding,
                        rendered->height + 2 * padding};
    SDL_SetTextureColorMod(rendered->texture.get(), 255, 255, 255);
    SDL_SetTextureAlphaMod(rendered->texture.get(), 255);
    SDL_RenderCopy(renderer_, rendered->texture.get(), nullptr, &text);
}

}  // namespace rovuzu
