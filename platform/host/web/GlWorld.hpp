#pragma once

#include <GLES2/gl2.h>

#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/web/GlPainter.hpp"
#include "platform/world/BuiltInWorld.hpp"

namespace rovuzu {

// Draws the built-in world as a camera sees it, with WebGL: the same triangles the desktop
// draws, every frame (a GPU paints them in a fraction of one).
class GlWorld {
  public:
    explicit GlWorld(GpuTextures& textures);
    GlWorld(const GlWorld&) = delete;
    GlWorld& operator=(const GlWorld&) = delete;
    ~GlWorld();

    // Paints a little more of the world's textures (a step of BuiltInWorld's) and keeps each
    // finished one with the page's textures; false once they are all there. Whenever the page
    // has them ready (kept from an earlier visit, or painted meanwhile by a worker beside the
    // page) the rest are taken instead and kept one a call; when the last is painted here,
    // they are handed to the page to keep.
    bool prepare();
    // Fills the area with the world seen by `camera`, at `pixelsPerPoint` pixels a view point;
    // first the textures still to paint, if any.
    void draw(GlPainter& painter, const ARCamera& camera, const PixelArea& area,
              double pixelsPerPoint);

  private:
    bool takeSaved();
    void keep(std::size_t index);

    GpuTextures& textures_;
    BuiltInWorld world_;
    std::vector<GpuTextures::Id> ids_;  // by the world's texture index; 0 until painted
    std::vector<std::size_t> unkept_;   // taken pictures not yet on the GPU
    std::vector<GlPainter::Vertex> vertices_;
};

}  // namespace rovuzu
