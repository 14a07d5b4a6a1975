#include "platform/host/sdl/TextCache.hpp"

#include <cstdint>
#include <iterator>
#include <vector>

#include "platform/host/core/TextHalo.hpp"

namespace rovuzu {

namespace {

// Frames a line may go undrawn before its texture is freed: long enough that text which
// blinks or alternates is not rendered over and over.
constexpr std::uint64_t kKeepFrames = 120;

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

TextCache::TextCache(SDL_Renderer* renderer, FontLibrary& fonts)
    : renderer_(renderer), fonts_(fonts) {}

const TextCache::Line* TextCache::line(const std::string& fontName, int pixelSize, double halo,
                                       std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    std::string key =
        fontName + '\n' + std::to_string(pixelSize) + '\n' + std::to_string(halo) + '\n';
    key.append(text);
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        found = lines_.emplace(std::move(key), render(fontName, pixelSize, halo, text)).first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture ? &found->second : nullptr;
}

TextCache::Line TextCache::render(const std::string& fontName, int pixelSize, double halo,
                                  std::string_view text) const {
    TTF_Font* font = fonts_.font(fontName, pixelSize);
    if (font == nullptr) {
        return {};
    }
    const std::string copy(text);
    const SurfacePtr surface{
        TTF_RenderUTF8_Blended(font, copy.c_str(), SDL_Color{255, 255, 255, 255})};
    if (!surface) {
        return {};
    }
    const TextHalo::Picture picture =
        TextHalo::around(coverageOf(surface.get()), surface->w, surface->h, halo);
    Line line;
    line.texture.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32,
                                         SDL_TEXTUREACCESS_STATIC, picture.width, picture.height));
    line.width = surface->w;
    line.height = surface->h;
    line.ascent = TTF_FontAscent(font);
    line.padding = picture.padding;
    if (line.texture) {
        SDL_UpdateTexture(line.texture.get(), nullptr, picture.rgba.data(), picture.width * 4);
        SDL_SetTextureBlendMode(line.texture.get(), SDL_BLENDMODE_BLEND);
    }
    return line;
}

void TextCache::endFrame() {
    ++frame_;
    for (auto it = lines_.begin(); it != lines_.end();) {
        it = frame_ - it->second.lastUsed > kKeepFrames ? lines_.erase(it) : std::next(it);
    }
}

}  // namespace rovuzu
