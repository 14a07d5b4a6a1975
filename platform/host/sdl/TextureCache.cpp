#include "platform/host/sdl/TextureCache.hpp"

#include <SDL2/SDL_image.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/core/PlaceholderImage.hpp"
#include "platform/host/sdl/StderrCapture.hpp"

namespace rovuzu {

namespace {

// Stretched images larger than this a side are not kept: a sprite that near the camera is rare
// and would hold megabytes.
constexpr int kLargestStretched = 2048;

bool isSoftware(SDL_Renderer* renderer) {
    SDL_RendererInfo info{};
    return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
}

}  // namespace

TextureCache::TextureCache(SDL_Renderer* renderer)
    : renderer_(renderer), software_(isSoftware(renderer)) {}

SDL_Texture* TextureCache::placeholder() {
    if (!placeholder_) {
        const PixelImage image = PlaceholderImage::make();
        placeholder_.reset(SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGBA32,
                                             SDL_TEXTUREACCESS_STATIC, image.width(),
                                             image.height()));
        if (!placeholder_) {
            return nullptr;
        }
        SDL_UpdateTexture(placeholder_.get(), nullptr, image.bytes().data(), image.width() * 4);
        SDL_SetTextureBlendMode(placeholder_.get(), SDL_BLENDMODE_BLEND);
    }
    return placeholder_.get();
}

SDL_Texture* TextureCache::texture(const SKTexture& texture) {
    if (texture.isPlaceholder()) {
        return placeholder();
    }
    const Image* found = image(texture);
    return found->texture ? found->texture.get() : placeholder();
}

const TextureCache::Image* TextureCache::image(const SKTexture& texture) {
    const std::string key = texture.url()->string();
    auto found = images_.find(key);
    if (found == images_.end()) {
        found = images_.emplace(key, load(*texture.url())).first;
    }
    return &found->second;
}

TextureCache::Image TextureCache::load(const NSURL& file) const {
    // libpng reports a broken file on stderr by itself; SDL_image's error says the same.
    StderrCapture capture;
    const SurfacePtr loaded{IMG_Load(file.c_str())};
    capture.finish();
    if (!loaded) {
        diagnose(file.string() + ": cannot decode the image (" + IMG_GetError() +
                 "); showing a placeholder");
        return {};
    }
    // Our own pixel format blits fastest in the software renderer.
    SurfacePtr converted{SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0)};
    TexturePtr texture{
        SDL_CreateTextureFromSurface(renderer_, converted ? converted.get() : loaded.get())};
    if (!texture) {
        diagnose(file.string() + ": cannot make a texture (" + SDL_GetError() +
                 "); showing a placeholder");
        return {};
    }
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
    return {std::move(texture), software_ ? std::move(converted) : nullptr};
}

SDL_Texture* TextureCache::stretched(const SKTexture& texture, int width, int height) {
    if (!software_ || texture.isPlaceholder() || width <= 0 || height <= 0 ||
        width > kLargestStretched || height > kLargestStretched) {
        return nullptr;
    }
    const Image* source = image(texture);
    if (!source->texture || !source->pixels) {
        return nullptr;
    }
    if (width == source->pixels->w && height == source->pixels->h) {
        return source->texture.get();
    }
    const auto key = std::make_tuple(source->texture.get(), width, height);
    auto found = stretched_.find(key);
    if (found == stretched_.end()) {
        found =
            stretched_.emplace(key, Stretched{stretch(source->pixels.get(), width, height)}).first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture.get();
}

TexturePtr TextureCache::stretch(SDL_Surface* pixels, int width, int height) const {
    TexturePtr texture{SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888,
                                         SDL_TEXTUREACCESS_STREAMING, width, height)};
    void* target = nullptr;
    int pitch = 0;
    if (!texture || SDL_LockTexture(texture.get(), nullptr, &target, &pitch) != 0) {
        return nullptr;
    }
    const SurfacePtr into{SDL_CreateRGBSurfaceWithFormatFrom(target, width, height, 32, pitch,
                                                             SDL_PIXELFORMAT_ARGB8888)};
    const bool stretched = into && SDL_SoftStretchLinear(pixels, nullptr, into.get(), nullptr) == 0;
    SDL_UnlockTexture(texture.get());
    if (!stretched) {
        return nullptr;
    }
    SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_BLEND);
    return texture;
}

void TextureCache::endFrame() {
    ++frame_;
    std::erase_if(stretched_,
                  [this](const auto& entry) { return entry.second.lastUsed + 1 < frame_; });
}

}  // namespace rovuzu
