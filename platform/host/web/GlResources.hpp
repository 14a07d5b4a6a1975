#pragma once

#include <GLES2/gl2.h>

#include "platform/host/core/GpuTextures.hpp"

namespace rovuzu {

// Everything the page holds in WebGL, in one place that can make it all again: the shader
// program every frame goes through, its vertex buffer, the texture the camera's video is
// uploaded into, and every texture made from a picture (sprites, text lines, the room). A
// browser takes a context away when a phone needs the memory or the page goes to the
// background, and may give it back empty; nothing here may then be used until `restore`.
class GlResources final : public GpuTextures::Maker {
  public:
    // The program and where its inputs are.
    struct Program {
        GLuint name = 0;
        GLint position = -1;
        GLint texel = -1;
        GLint target = -1;
        GLint tint = -1;
    };

    GlResources();
    GlResources(const GlResources&) = delete;
    GlResources& operator=(const GlResources&) = delete;
    ~GlResources() override;

    [[nodiscard]] GpuTextures& textures() { return textures_; }
    [[nodiscard]] const Program& program() const { return program_; }
    [[nodiscard]] GLuint buffer() const { return buffer_; }
    // The texture the camera's newest picture is uploaded into; its pictures are the page's.
    [[nodiscard]] GLuint camera() const { return camera_; }

    // The context is lost: everything is let go of, and nothing is made until the restore.
    void lose();
    // The context is back, empty: everything is made again.
    void restore();
    [[nodiscard]] bool isLost() const { return textures_.isAway(); }

    [[nodiscard]] GpuTextures::Handle make(const GpuTextures::Recipe& recipe) override;
    void release(GpuTextures::Handle handle) override;

  private:
    void makeOwn();
    void releaseOwn();

    Program program_;
    GLuint buffer_ = 0;
    GLuint camera_ = 0;
    GpuTextures textures_{*this};
};

}  // namespace rovuzu
