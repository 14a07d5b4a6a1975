#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/host/sdl/FontLibrary.hpp"
#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

// Lines of text rendered once into textures and kept while they are drawn. Text is white over
// a black halo (TextHalo), so one texture serves every colour through its colour and alpha
// modulation.
class TextCache {
  public:
    struct Line {
        TexturePtr texture;
        int width = 0;    // pixels, from the pen's start to its end
        int height = 0;   // pixels
        int ascent = 0;   // pixels from the top down to the baseline
        int padding = 0;  // pixels of halo the texture adds on every side of the line
        std::uint64_t lastUsed = 0;
    };

    TextCache(SDL_Renderer* renderer, FontLibrary& fonts);

    // The line in the named font at a size in pixels, in a halo `halo` pixels thick; null for
    // empty text, or when the text cannot be drawn (no font, or text SDL_ttf refuses).
    [[nodiscard]] const Line* line(const std::string& fontName, int pixelSize, double halo,
                                   std::string_view text);
    // Ends a frame: lines not drawn for a while are let go of.
    void endFrame();

  private:
    [[nodiscard]] Line render(const std::string& fontName, int pixelSize, double halo,
                              std::string_view text) const;

    SDL_Renderer* renderer_;
    FontLibrary& fonts_;
    std::unordered_map<std::string, Line> lines_;
    std::uint64_t frame_ = 0;
};

}  // namespace rovuzu
