#include "platform/host/Readouts.hpp"

#include <cmath>

#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

namespace {

constexpr double kPaddingX = 5.0;  // points
constexpr double kPaddingY = 2.0;
constexpr Uint8 kBackingAlpha = 115;

}  // namespace

Readouts::Readouts(SDL_Renderer* renderer, TextCache& text) : renderer_(renderer), text_(text) {}

std::string Readouts::text(const SKView& view) {
    std::string line;
    if (view.showsNodeCount()) {
        const std::size_t count = view.nodeCount();
        line = std::to_string(count) + (count == 1 ? " node" : " nodes");
    }
    if (view.showsFPS()) {
        const double fps = view.framesPerSecond();
        const long rounded = std::isfinite(fps) && fps > 0.0 ? std::lround(fps) : 0L;
        line += (line.empty() ? "" : "  ") + std::to_string(rounded) + " fps";
    }
    return line;
}

void Readouts::draw(const SKView& view, const SDL_Rect& area, double pixelsPerPoint) {
    const std::string line = text(view);
    const auto pixelSize = static_cast<int>(std::lround(kFontSize * pixelsPerPoint));
    const TextCache::Line* rendered =
        line.empty() ? nullptr : text_.line(kFontName, pixelSize, line);
    if (rendered == nullptr) {
        return;
    }
    const auto padX = static_cast<int>(std::lround(kPaddingX * pixelsPerPoint));
    const auto padY = static_cast<int>(std::lround(kPaddingY * pixelsPerPoint));
    const SDL_Rect backing{area.x + area.w - rendered->width - 2 * padX,
                           area.y + area.h - rendered->height - 2 * padY,
                           rendered->width + 2 * padX, rendered->height + 2 * padY};
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, kBackingAlpha);
    SDL_RenderFillRect(renderer_, &backing);
    const SDL_Rect text{backing.x + padX, backing.y + padY, rendered->width, rendered->height};
    SDL_SetTextureColorMod(rendered->texture.get(), 255, 255, 255);
    SDL_SetTextureAlphaMod(rendered->texture.get(), 255);
    SDL_RenderCopy(renderer_, rendered->texture.get(), nullptr, &text);
}

}  // namespace rovuzu
