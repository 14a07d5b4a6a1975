#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "platform/world/PixelImage.hpp"

namespace rovuzu {

// The textures a backend keeps on its GPU, each with the picture it was made from, so that all
// of them can be made again when the GPU takes them away: a browser takes WebGL's context when
// a phone needs the memory or the page goes to the background, and some of SDL's renderers
// reset their device. A backend makes and frees the textures themselves through its Maker; everyone
// else holds a texture by its id, which outlives every remaking, and asks for its handle when
// drawing.
class GpuTextures {
  public:
    // A backend's own name for a texture (a WebGL texture's number, an SDL_Texture's address);
    // 0 for none.
    using Handle = std::uintptr_t;
    using Id = std::uint32_t;

    // What a texture is made from: its picture, and how it is drawn.
    struct Recipe {
        std::shared_ptr<const PixelImage> pixels;
        bool smooth = true;   // interpolated when stretched, or else the nearest texel
        bool opaque = false;  // drawn over what is there without blending
    };

    // Makes and frees a backend's textures.
    class Maker {
      public:
        Maker() = default;
        Maker(const Maker&) = delete;
        Maker& operator=(const Maker&) = delete;
        virtual ~Maker() = default;
        // 0 when the GPU cannot make it.
        [[nodiscard]] virtual Handle make(const Recipe& recipe) = 0;
        virtual void release(Handle handle) = 0;
    };

    explicit GpuTextures(Maker& maker) : maker_(maker) {}
    GpuTextures(const GpuTextures&) = delete;
    GpuTextures& operator=(const GpuTextures&) = delete;
    // Frees every texture the GPU holds.
    ~GpuTextures();

    // A texture made from the recipe: made now, or at the restore when the GPU is away.
    [[nodiscard]] Id add(Recipe recipe);
    // Frees the texture and forgets its recipe.
    void remove(Id id);
    // The texture's handle now; 0 while the GPU is away, when the GPU could not make it, or for
    // an id no texture has.
    [[nodiscard]] Handle handle(Id id) const;
    [[nodiscard]] std::size_t size() const { return textures_.size(); }

    // The GPU is taken away (a lost WebGL context), or keeps the textures but may have lost
    // their pixels (SDL's reset events): every texture is freed (in a lost context that only
    // lets go of its name), and nothing is made until the restore.
    void release();
    // The GPU is back: every texture it does not hold is made again from its recipe.
    void restore();
    // Whether textures are made as they are added.
    [[nodiscard]] bool isAway() const { return away_; }

  private:
    struct Texture {
        Recipe recipe;
        Handle handle = 0;
    };

    Maker& maker_;
    std::map<Id, Texture> textures_;
    Id next_ = 1;
    bool away_ = false;
};

}  // namespace rovuzu
