#pragma once

#include <GLES2/gl2.h>

#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/web/GlPainter.hpp"

namespace rovuzu {

// Draws the built-in world as a camera sees it, with WebGL: the same triangles the desktop
// draws, every frame (a GPU paints them in a fraction of one).
class GlWorld {
  public:
    explicit GlWorld(GpuTextures& textures) : textures_(textures) {}
    GlWorld(const GlWorld&) = delete;
    GlWorld& operator=(const GlWorld&) = delete;
    ~GlWorld();

    // Paints the world's textures, once, and keeps them with the page's textures.
    void prepare();
    // Fills the area with the world seen by `camera`, at `pixelsPerPoint` pixels a view point.
    void draw(GlPainter& painter, const ARCamera& camera, const PixelArea& area,
              double pixelsPerPoint);

  private:
    GpuTextures& textures_;
    std::vector<GpuTextures::Id> ids_;
    std::vector<GlPainter::Vertex> vertices_;
};

}  // namespace rovuzu
