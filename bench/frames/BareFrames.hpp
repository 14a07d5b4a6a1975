#pragma once

#include <SDL2/SDL.h>

#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

// The least any frame must do at a size: copy one full-screen picture and present it. The
// picture is the quickest kind there is: opaque, no blending, in the window's own format.
class BareFrames {
  public:
    BareFrames(SDL_Renderer* renderer, int width, int height);

    // Draws the frame; the caller presents it.
    void draw() const;

  private:
    SDL_Renderer* renderer_;
    TexturePtr texture_;
};

}  // namespace rovuzu
