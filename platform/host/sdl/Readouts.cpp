#include "platform/host/sdl/Readouts.hpp"

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
    drawLine(text(view), Corner::bottomRight, area, pixelsPerPoint);
}

void Readouts::drawNotice(const std::string& notice, const SDL_Rect& area, double pixelsPerPoint) {
    drawLine(notice, Corner::topCentre, area, pixelsPerPoint);
}

void Readouts::drawLine(const std::string& line, Corner corner, const SDL_Rect& area,
                        double pixelsPerPoint) {
    const auto pixelSize = static_cast<int>(std::lround(kFontSize * pixelsPerPoint));
    const TextCache::Line* rendered =
        line.empty() ? nullptr : text_.line(kFontName, pixelSize, line);
    if (rendered == nullptr) {
        return;
    }
    const auto padX = static_cast<int>(std::lround(kPaddingX * pixelsPerPoint));
    const auto padY = static_cast<int>(std::lround(kPaddingY * pixelsPerPoint));
    const int width = rendered->width + 2 * padX;
    const int height = rendered->height + 2 * padY;
    const SDL_Rect backing =
        corner == Corner::bottomRight
            ? SDL_Rect{area.x + area.w - width, area.y + area.h - height, width, height}
            : SDL_Rect{area.x + (area.w - width) / 2, area.y, width, height};
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, kBackingAlpha);
    SDL_RenderFillRect(renderer_, &backing);
    const SDL_Rect text{backing.x + padX, backing.y + padY, rendered->width, rendered->height};
    SDL_SetTextureColorMod(rendered->texture.get(), 255, 255, 255);
    SDL_SetTextureAlphaMod(rendered->texture.get(), 255);
    SDL_RenderCopy(renderer_, rendered->texture.get(), nullptr, &text);
}

}  // namespace rovuzu
