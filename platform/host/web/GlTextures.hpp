#pragma once

#include <GLES2/gl2.h>

#include <string>
#include <unordered_map>

#include "platform/host/core/GpuTextures.hpp"
#include "platform/spritekit/SKTexture.hpp"

namespace rovuzu {

// The pixels of sprite textures, decoded from the packed resources with stb_image once per
// file and kept with the page's textures, so that a restored context gets them back. A
// placeholder stands in for a texture the scene graph already knows to be missing, and for a
// file that does not decode, which is said once on stderr.
class GlTextures {
  public:
    explicit GlTextures(GpuTextures& textures) : textures_(textures) {}
    GlTextures(const GlTextures&) = delete;
    GlTextures& operator=(const GlTextures&) = delete;
    ~GlTextures();

    // 0 while the context is away.
    [[nodiscard]] GLuint texture(const SKTexture& texture);

  private:
    [[nodiscard]] GLuint placeholder();
    [[nodiscard]] GpuTextures::Id load(const NSURL& file);

    GpuTextures& textures_;
    GpuTextures::Id placeholder_ = 0;
    std::unordered_map<std::string, GpuTextures::Id> files_;  // 0 where the file did not decode
};

}  // namespace rovuzu
