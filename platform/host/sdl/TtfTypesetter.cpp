#include "platform/host/sdl/TtfTypesetter.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace rovuzu {

namespace {

// The glyphs' coverage, a byte a pixel: SDL_ttf's blended text is its colour, with the coverage
// for alpha. Empty when the pixels cannot be read.
std::vector<std::uint8_t> coverageOf(SDL_Surface* surface) {
    const SurfacePtr rgba{SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0)};
    std::vector<std::uint8_t> coverage;
    if (!rgba) {
        return coverage;
    }
    coverage.reserve(static_cast<std::size_t>(rgba->w) * rgba->h);
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(rgba->pixels) +
                          static_cast<std::ptrdiff_t>(y) * rgba->pitch;
        for (int x = 0; x < rgba->w; ++x) {
            coverage.push_back(row[4 * x + 3]);
        }
    }
    return coverage;
}

}  // namespace

std::optional<TextLines::Typesetter::Glyphs> TtfTypesetter::set(const std::string& fontName,
                                                                int pixelSize,
                                                                std::string_view text) {
    TTF_Font* font = fonts_.font(fontName, pixelSize);
    if (font == nullptr) {
        return std::nullopt;
    }
    const std::string copy(text);
    const SurfacePtr surface{
        TTF_RenderUTF8_Blended(font, copy.c_str(), SDL_Color{255, 255, 255, 255})};
    if (!surface) {
        return std::nullopt;
    }
    return Glyphs{surface->w, surface->h, TTF_FontAscent(font), coverageOf(surface.get())};
}

}  // namespace rovuzu
