#include "platform/host/TextureCache.hpp"

#include <SDL2/SDL_image.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/StderrCapture.hpp"

namespace rovuzu {

namespace {

constexpr int kPlaceholderSide = static_cast<int>(SKTexture::kPlaceholderSide);
constexpr int kCheck = 16;
constexpr int kCrossHalfWidth = 3;

std::uint32_t placeholderPixel(int x, int y) {
    constexpr std::uint32_t kMagenta = 0xFFFF00FFU;
    constexpr std::uint32_t kBlack = 0xFF000000U;
    constexpr std::uint32_t kWhite = 0xFFFFFFFFU;
    const int last = kPlaceholderSide - 1;
    if (std::abs(x - y) <= kCrossHalfWidth || std::abs(x + y - last) <= kCrossHalfWidth) {
        return kWhite;
    }
    return ((x / kCheck + y / kCheck) % 2 == 0) ? kMagenta : kBlack;
}

}  // namespace

TextureCache::TextureCache(SDL_Renderer* renderer) : renderer_(renderer) {}

SDL_Texture* TextureCache::placeholder() {
    if (!placeholder_) {
        placeholder_.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                             SDL_TEXTUREACCESS_STATIC, kPlaceholderSide,
                                             kPlaceholderSide));
        if (!placeholder_) {
            return nullptr;
        }
        std::vector<std::uint32_t> pixels;
        pixels.reserve(static_cast<std::size_t>(kPlaceholderSide) * kPlaceholderSide);
        for (int y = 0; y < kPlaceholderSide; ++y) {
            for (int x = 0; x < kPlaceholderSide; ++x) {
                pixels.push_back(placeholderPixel(x, y));
            }
        }
        SDL_UpdateTexture(placeholder_.get(), nullptr, pixels.data(),
                          kPlaceholderSide * static_cast<int>(sizeof(std::uint32_t)));
        SDL_SetTextureBlendMode(placeholder_.get(), SDL_BLENDMODE_BLEND);
    }
    return placeholder_.get();
}

SDL_Texture* TextureCache::texture(const SKTexture& texture) {
    if (texture.isPlaceholder()) {
        return placeholder();
    }
    const std::string key = texture.url()->string();
    auto found = images_.find(key);
    if (found == images_.end()) {
        found = images_.emplace(key, load(*texture.url())).first;
    }
    return found->second ? found->second.get() : placeholder();
}

TexturePtr TextureCache::load(const NSURL& file) {
    // libpng reports a broken file on stderr by itself; SDL_image's error says the same.
    StderrCapture capture;
    const SurfacePtr loaded{IMG_Load(file.c_str())};
    capture.finish();
    if (!loaded) {
        diagnose(file.string() + ": cannot decode the image (" + IMG_GetError() +
                 "); showing a placeholder");
        return nullptr;
    }
    // Our own pixel format blits fastest in the software renderer.
    const SurfacePtr converted{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0)};
    TexturePtr texture{
        SDL_CreateTextureFromSurface(renderer_, converted ? converted.get() : loaded.get())};
    if (!texture) {
        diagnose(file.string() + ": cannot make a texture (" + SDL_GetError() +
                 "); showing a placeholder");
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
    return texture;
}

}  // namespace rovuzu
