#pragma once

#include <GLES2/gl2.h>

#include <filesystem>
#include <string>

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/core/TextLines.hpp"
#include "platform/host/web/GlPainter.hpp"
#include "platform/host/web/GlResources.hpp"
#include "platform/host/web/GlTextures.hpp"
#include "platform/host/web/GlWorld.hpp"
#include "platform/host/web/StbTypesetter.hpp"

namespace rovuzu {

// Paints frames with WebGL into the page's canvas, or a WebXR layer: what shows behind the scene
// (the built-in world, or the camera's video, cropped to cover; nothing over WebXR's own
// picture), then the frame's sprites and text back to front, then the read-outs. The canvas,
// or the viewport given, must have the frame's size in pixels. Everything it holds in WebGL is
// in GlResources, which makes it all again when a lost context comes back.
class GlRenderer {
  public:
    explicit GlRenderer(const std::filesystem::path& resources);

    // Nothing may be drawn while the context is lost.
    void draw(const Frame& frame);
    // Into a viewport of the bound framebuffer (x and y from its bottom-left corner).
    void draw(const Frame& frame, const PixelArea& viewport);
    // Readies a little more for the round, ahead of its first frame: first a line of text in
    // each face, then the built-in world's textures a step at a time; false once all is ready.
    bool prepare();

    // The context is lost: what it held is let go of.
    void lose() { resources_.lose(); }
    // The context is back: everything is made again, and the next frame draws as before.
    void restore() { resources_.restore(); }
    [[nodiscard]] bool isLost() const { return resources_.isLost(); }

  private:
    void drawBackdrop(const Frame& frame);
    void drawCamera(const PixelArea& area, const Frame::Backdrop& backdrop);
    void drawSprite(const Frame::Sprite& sprite);
    void drawText(const Frame::Text& text);
    void drawStrip(const std::string& line, Readouts::Corner corner, const Frame& frame);

    GlResources resources_;
    GlPainter painter_{resources_};
    GlTextures textures_{resources_.textures()};
    StbTypesetter typesetter_;
    TextLines text_{typesetter_, resources_.textures()};
    GlWorld world_{resources_.textures()};
    bool textPrepared_ = false;
};

}  // namespace rovuzu
