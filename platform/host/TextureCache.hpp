#pragma once

#include <string>
#include <unordered_map>

#include "platform/host/SdlHandles.hpp"
#include "platform/spritekit/SKTexture.hpp"

namespace rovuzu {

// The pixels of sprite textures, loaded through SDL_image once per image file. A placeholder
// stands in for a texture the scene graph already knows to be missing, and for a file SDL_image
// cannot decode, which is announced once on stderr.
class TextureCache {
  public:
    explicit TextureCache(SDL_Renderer* renderer);

    // The texture to draw for `texture`; null only when SDL cannot make textures at all.
    [[nodiscard]] SDL_Texture* texture(const SKTexture& texture);
    // Magenta and black checks crossed by white diagonals, like the platform's missing image.
    [[nodiscard]] SDL_Texture* placeholder();

  private:
    [[nodiscard]] TexturePtr load(const NSURL& file);

    SDL_Renderer* renderer_;
    TexturePtr placeholder_;
    // By file path; null where the file could not be decoded.
    std::unordered_map<std::string, TexturePtr> images_;
};

}  // namespace rovuzu
