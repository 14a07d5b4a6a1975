#include "platform/host/sdl/TextCache.hpp"

#include <iterator>

namespace rovuzu {

namespace {

// Frames a line may go undrawn before its texture is freed: long enough that text which
// blinks or alternates is not rendered over and over.
constexpr std::uint64_t kKeepFrames = 120;

}  // namespace

TextCache::TextCache(SDL_Renderer* renderer, FontLibrary& fonts)
    : renderer_(renderer), fonts_(fonts) {}

const TextCache::Line* TextCache::line(const std::string& fontName, int pixelSize,
                                       std::string_view text) {
    if (text.empty()) {
        return nullptr;
    }
    std::string key = fontName + '\n' + std::to_string(pixelSize) + '\n';
    key.append(text);
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        found = lines_.emplace(std::move(key), render(fontName, pixelSize, text)).first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture ? &found->second : nullptr;
}

TextCache::Line TextCache::render(const std::string& fontName, int pixelSize,
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
    Line line;
    line.texture.reset(SDL_CreateTextureFromSurface(renderer_, surface.get()));
    line.width = surface->w;
    line.height = surface->h;
    line.ascent = TTF_FontAscent(font);
    if (line.texture) {
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
