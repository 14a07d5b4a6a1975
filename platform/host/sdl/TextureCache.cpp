#include "platform/host/sdl/TextureCache.hpp"

#include <SDL2/SDL_image.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <utility>
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

// The surface's pixels as the core keeps them; empty when they cannot be read.
PixelImage pixelsOf(SDL_Surface* surface) {
    const SurfacePtr rgba{SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0)};
    if (!rgba) {
        return {};
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(rgba->w) * rgba->h * 4);
    SDL_ConvertPixels(rgba->w, rgba->h, SDL_PIXELFORMAT_RGBA32, rgba->pixels, rgba->pitch,
                      SDL_PIXELFORMAT_RGBA32, bytes.data(), rgba->w * 4);
    return {rgba->w, rgba->h, std::move(bytes)};
}

}  // namespace

TextureCache::TextureCache(SdlTextureMaker& maker, GpuTextures& textures)
    : maker_(maker), textures_(textures), software_(isSoftware(maker.renderer())) {}

TextureCache::~TextureCache() {
    for (const auto& [file, image] : images_) {
        textures_.remove(image.texture);
    }
    textures_.remove(placeholder_);
}

SDL_Texture* TextureCache::placeholder() {
    if (placeholder_ == 0) {
        // Checks stay crisp when stretched, as the platform's own.
        placeholder_ =
            textures_.add({std::make_shared<const PixelImage>(PlaceholderImage::make()), false});
    }
    return SdlTextureMaker::texture(textures_.handle(placeholder_));
}

SDL_Texture* TextureCache::texture(const SKTexture& texture) {
    if (texture.isPlaceholder()) {
        return placeholder();
    }
    const Image* found = image(texture);
    SDL_Texture* made = SdlTextureMaker::texture(textures_.handle(found->texture));
    return made != nullptr ? made : placeholder();
}

const TextureCache::Image* TextureCache::image(const SKTexture& texture) {
    const std::string key = texture.url()->string();
    auto found = images_.find(key);
    if (found == images_.end()) {
        found = images_.emplace(key, load(*texture.url())).first;
    }
    return &found->second;
}

TextureCache::Image TextureCache::load(const NSURL& file) {
    // libpng reports a broken file on stderr by itself; SDL_image's error says the same.
    StderrCapture capture;
    const SurfacePtr loaded{IMG_Load(file.c_str())};
    capture.finish();
    if (!loaded) {
        diagnose(file.string() + ": cannot decode the image (" + IMG_GetError() +
                 "); showing a placeholder");
        return {};
    }
    auto pixels = std::make_shared<const PixelImage>(pixelsOf(loaded.get()));
    if (pixels->width() == 0) {
        diagnose(file.string() + ": cannot read the image's pixels (" + SDL_GetError() +
                 "); showing a placeholder");
        return {};
    }
    Image image{textures_.add({std::move(pixels)}), nullptr};
    if (software_) {
        // Our own pixel format stretches fastest in the software renderer.
        image.pixels.reset(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    }
    return image;
}

SDL_Texture* TextureCache::stretched(const SKTexture& texture, int width, int height) {
    if (!software_ || texture.isPlaceholder() || width <= 0 || height <= 0 ||
        width > kLargestStretched || height > kLargestStretched) {
        return nullptr;
    }
    const Image* source = image(texture);
    SDL_Texture* whole = SdlTextureMaker::texture(textures_.handle(source->texture));
    if (whole == nullptr || !source->pixels) {
        return nullptr;
    }
    if (width == source->pixels->w && height == source->pixels->h) {
        return whole;
    }
    const auto key = std::make_tuple(source->texture, width, height);
    auto found = stretched_.find(key);
    if (found == stretched_.end()) {
        found =
            stretched_.emplace(key, Stretched{stretch(source->pixels.get(), width, height)}).first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture.get();
}

TexturePtr TextureCache::stretch(SDL_Surface* pixels, int width, int height) const {
    TexturePtr texture{SDL_CreateTexture(maker_.renderer(), SDL_PIXELFORMAT_ARGB8888,
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

void TextureCache::reset() {
    stretched_.clear();
}

}  // namespace rovuzu
