#pragma once

#include <GLES2/gl2.h>

#include <filesystem>

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/web/GlPainter.hpp"
#include "platform/host/web/GlText.hpp"
#include "platform/host/web/GlTextures.hpp"
#include "platform/host/web/GlWorld.hpp"

namespace rovuzu {

// Paints frames with WebGL into the page's canvas, or a WebXR layer: what shows behind the scene
// (the built-in world, or the camera's video, cropped to cover; nothing over WebXR's own
// picture), then the frame's sprites and text back to front, then the read-outs. The canvas,
// or the viewport given, must have the frame's size in pixels.
class GlRenderer {
  public:
    explicit GlRenderer(const std::filesystem::path& resources);
    GlRenderer(const GlRenderer&) = delete;
    GlRenderer& operator=(const GlRenderer&) = delete;
    ~GlRenderer();

    void draw(const Frame& frame);
    // Into a viewport of the bound framebuffer (x and y from its bottom-left corner).
    void draw(const Frame& frame, const PixelArea& viewport);
    // Paints the built-in world's textures and hands them to WebGL now, rather than at the
    // first frame that shows the world.
    void prepareWorld() { world_.prepare(); }

  private:
    void drawBackdrop(const Frame& frame);
    void drawCamera(const PixelArea& area, const Frame::Backdrop& backdrop);
    void drawSprite(const Frame::Sprite& sprite);
    void drawText(const Frame::Text& text);
    void drawStrip(const std::string& line, Readouts::Corner corner, const Frame& frame);

    GlPainter painter_;
    GlTextures textures_;
    GlText text_;
    GlWorld world_;
    GLuint camera_ = 0;
};

}  // namespace rovuzu
