#include "bench/frames/BareFrames.hpp"

#include <cstdint>
#include <vector>

namespace rovuzu {

namespace {

// The window's own format, so that SDL copies the picture without converting a pixel.
Uint32 windowFormat(SDL_Renderer* renderer) {
    SDL_Window* window = SDL_RenderGetWindow(renderer);
    return window != nullptr ? SDL_GetWindowPixelFormat(window)
                             : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
}

}  // namespace

BareFrames::BareFrames(SDL_Renderer* renderer, int width, int height)
    : renderer_(renderer),
      texture_(SDL_CreateTexture(renderer, windowFormat(renderer), SDL_TEXTUREACCESS_STATIC, width,
                                 height)) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const auto r = static_cast<std::uint32_t>(x * 255 / width);
            const auto g = static_cast<std::uint32_t>(y * 255 / height);
            pixels[static_cast<std::size_t>(y) * width + x] =
                0xFF000000U | r << 16U | g << 8U | 0x60U;
        }
    }
    SDL_UpdateTexture(texture_.get(), nullptr, pixels.data(), width * 4);
    SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
}

void BareFrames::draw() const {
    SDL_RenderCopy(renderer_, texture_.get(), nullptr, nullptr);
}

}  // namespace rovuzu
