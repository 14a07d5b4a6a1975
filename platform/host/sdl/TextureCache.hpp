#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <unordered_map>

#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/sdl/SdlHandles.hpp"
#include "platform/host/sdl/SdlTextureMaker.hpp"
#include "platform/spritekit/SKTexture.hpp"

namespace rovuzu {

// The pixels of sprite textures, loaded through SDL_image once per image file and kept with
// the core's textures, so that a reset renderer gets them back. A placeholder stands in for a
// texture the scene graph already knows to be missing, and for a file SDL_image cannot decode,
// which is announced once on stderr.
class TextureCache {
  public:
    TextureCache(SdlTextureMaker& maker, GpuTextures& textures);
    TextureCache(const TextureCache&) = delete;
    TextureCache& operator=(const TextureCache&) = delete;
    ~TextureCache();

    // The texture to draw for `texture`; null only when SDL cannot make textures at all.
    [[nodiscard]] SDL_Texture* texture(const SKTexture& texture);
    // Magenta and black checks crossed by white diagonals, like the platform's missing image.
    [[nodiscard]] SDL_Texture* placeholder();

    // For SDL's software renderer: the image of `texture` already stretched to `width` by
    // `height` pixels, as that renderer stretches a scaled copy (SDL_SoftStretchLinear), so that
    // copying it unscaled gives the very same pixels at a fraction of the cost. Kept while it is
    // drawn every frame. Null where there is nothing to gain or it cannot be made: another
    // renderer, a placeholder, an image that failed, a size too large to keep.
    [[nodiscard]] SDL_Texture* stretched(const SKTexture& texture, int width, int height);
    // Ends a frame: stretched images not drawn in it are let go of.
    void endFrame();
    // Lets go of the stretched images, made on a renderer that has been reset.
    void reset();

  private:
    struct Image {
        GpuTextures::Id texture = 0;  // 0 where the file could not be decoded
        SurfacePtr pixels;            // kept for stretching, with the software renderer only
    };
    struct Stretched {
        TexturePtr texture;
        std::uint64_t lastUsed = 0;
    };

    [[nodiscard]] const Image* image(const SKTexture& texture);
    [[nodiscard]] Image load(const NSURL& file);
    [[nodiscard]] TexturePtr stretch(SDL_Surface* pixels, int width, int height) const;

    SdlTextureMaker& maker_;
    GpuTextures& textures_;
    bool software_;
    GpuTextures::Id placeholder_ = 0;
    // By file path.
    std::unordered_map<std::string, Image> images_;
    std::map<std::tuple<GpuTextures::Id, int, int>, Stretched> stretched_;
    std::uint64_t frame_ = 0;
};

}  // namespace rovuzu
