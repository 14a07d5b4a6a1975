#pragma once

#include <SDL2/SDL.h>
#include <SDL2/SDL_ttf.h>

#include <memory>

namespace rovuzu {

// Owning handles for SDL objects, so that every early return frees what it made.
struct SdlTextureDeleter {
    void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
struct SdlSurfaceDeleter {
    void operator()(SDL_Surface* surface) const { SDL_FreeSurface(surface); }
};
struct TtfFontDeleter {
    void operator()(TTF_Font* font) const { TTF_CloseFont(font); }
};

using TexturePtr = std::unique_ptr<SDL_Texture, SdlTextureDeleter>;
using SurfacePtr = std::unique_ptr<SDL_Surface, SdlSurfaceDeleter>;
using FontPtr = std::unique_ptr<TTF_Font, TtfFontDeleter>;

}  // namespace rovuzu
