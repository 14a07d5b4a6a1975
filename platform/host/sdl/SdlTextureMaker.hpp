#pragma once

#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

// Makes the core's textures with an SDL renderer, and tells every painter which renderer they
// are on. Opaque textures take the format the renderer draws into, a window's own where there
// is one, so that SDL copies them without converting a pixel; the others blend, in SDL's own
// format, the one its software renderer blends fastest.
class SdlTextureMaker final : public GpuTextures::Maker {
  public:
    explicit SdlTextureMaker(SDL_Renderer* renderer);

    [[nodiscard]] SDL_Renderer* renderer() const { return renderer_; }
    // The renderer the textures are made on from now on.
    void setRenderer(SDL_Renderer* renderer);
    // The pixel format the renderer draws into.
    [[nodiscard]] Uint32 drawingFormat() const { return drawingFormat_; }

    // The SDL texture a handle names.
    [[nodiscard]] static SDL_Texture* texture(GpuTextures::Handle handle) {
        return reinterpret_cast<SDL_Texture*>(handle);  // NOLINT(performance-no-int-to-ptr)
    }

    [[nodiscard]] GpuTextures::Handle make(const GpuTextures::Recipe& recipe) override;
    void release(GpuTextures::Handle handle) override;

  private:
    SDL_Renderer* renderer_;
    Uint32 drawingFormat_;
};

}  // namespace rovuzu
