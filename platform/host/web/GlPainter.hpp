#pragma once

#include <GLES2/gl2.h>

#include <vector>

#include "platform/host/core/Frame.hpp"
#include "platform/host/web/GlResources.hpp"

namespace rovuzu {

// Draws textured triangles in target pixels with WebGL, a colour multiplying every texel: the
// one shader all of a frame goes through, held with the rest in GlResources. Textures are
// straight (not premultiplied) alpha.
class GlPainter {
  public:
    // A corner: where in the target (pixels, y down) and which point of the texture (0 to 1).
    struct Vertex {
        float x = 0.0F;
        float y = 0.0F;
        float u = 0.0F;
        float v = 0.0F;
    };
    // The part of a texture to show, 0 to 1 across it.
    struct TexturePart {
        float u0 = 0.0F;
        float v0 = 0.0F;
        float u1 = 1.0F;
        float v1 = 1.0F;
    };

    explicit GlPainter(GlResources& resources);
    GlPainter(const GlPainter&) = delete;
    GlPainter& operator=(const GlPainter&) = delete;
    ~GlPainter();

    // Starts a frame on `viewport`, a part of the target in pixels (x and y from its
    // bottom-left corner, as GL has it): clears the target to black, or to nothing at all where
    // the platform shows a picture under it.
    void begin(const PixelArea& viewport, bool transparent) const;
    // Triangles, three vertices each; blended over what is there, or replacing it.
    void triangles(GLuint texture, const std::vector<Vertex>& vertices, const UIColor& tint,
                   bool blend) const;
    // The texture's part stretched over the box.
    void quad(GLuint texture, const PixelBox& box, const TexturePart& part, const UIColor& tint,
              bool blend = true);
    // A box of one colour, blended.
    void fill(const PixelBox& box, const UIColor& colour);

  private:
    GlResources& resources_;
    GpuTextures::Id white_;  // one white pixel, for fills
    std::vector<Vertex> quad_;
};

}  // namespace rovuzu
