#pragma once

#include <GLES2/gl2.h>

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/spritekit/SKTexture.hpp"
#include "platform/world/PixelImage.hpp"

namespace rovuzu {

// The pixels of sprite textures in WebGL, decoded from the packed resources with stb_image once
// per file. A placeholder stands in for a texture the scene graph already knows to be missing,
// and for a file that does not decode, which is said once on stderr.
class GlTextures {
  public:
    GlTextures() = default;
    GlTextures(const GlTextures&) = delete;
    GlTextures& operator=(const GlTextures&) = delete;
    ~GlTextures();

    [[nodiscard]] GLuint texture(const SKTexture& texture);

    // A WebGL texture holding the image, drawn smoothly, clamped at its edges.
    static GLuint upload(const PixelImage& image);
    // The same for `width` by `height` pixels of red, green, blue and alpha bytes.
    static GLuint upload(int width, int height, const std::uint8_t* rgba);

  private:
    [[nodiscard]] GLuint placeholder();
    [[nodiscard]] static GLuint load(const NSURL& file);

    GLuint placeholder_ = 0;
    std::unordered_map<std::string, GLuint> files_;  // 0 where the file did not decode
};

}  // namespace rovuzu
