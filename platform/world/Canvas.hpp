#pragma once

#include <glm/vec2.hpp>
#include <initializer_list>

#include "platform/world/PixelImage.hpp"
#include "platform/world/Rgba.hpp"

namespace rovuzu {

// A rectangle in a canvas's units: left, top, right, bottom.
struct Box2 {
    float x0 = 0.0F;
    float y0 = 0.0F;
    float x1 = 0.0F;
    float y1 = 0.0F;

    [[nodiscard]] float width() const { return x1 - x0; }
    [[nodiscard]] float height() const { return y1 - y0; }
    [[nodiscard]] Box2 inset(float by) const { return {x0 + by, y0 + by, x1 - by, y1 - by}; }
};

// Paints anti-aliased flat shapes into an image, or into the band of rows it holds. Coordinates are
// in units of the painter's choosing (metres, for the world's textures) with the origin at the
// image's top-left corner and y down; `pixelsPerUnit` converts them.
class Canvas {
  public:
    Canvas(PixelImage& image, float pixelsPerUnit);

    [[nodiscard]] float width() const;
    [[nodiscard]] float height() const;
    [[nodiscard]] Box2 bounds() const { return {0.0F, 0.0F, width(), height()}; }

    void fillRect(const Box2& box, const Rgba& colour);
    // A border of `thickness` inside the box.
    void strokeRect(const Box2& box, float thickness, const Rgba& colour);
    void fillCircle(glm::vec2 centre, float radius, const Rgba& colour);
    // A convex polygon, either winding.
    void fillPolygon(std::initializer_list<glm::vec2> points, const Rgba& colour);
    // Lays the colour `paint` gives for each pixel centre over the box (whole pixels only).
    // A template, not a std::function: it runs for every pixel of most of the world's textures.
    template <class Paint>
    void paint(const Box2& box, const Paint& paint) {
        const PixelSpan s = span(box);
        for (int y = s.y0; y < s.y1; ++y) {
            for (int x = s.x0; x < s.x1; ++x) {
                image_.blend(x, y, paint(unitsAt(x, y)));
            }
        }
    }

  private:
    struct PixelSpan {
        int x0;
        int y0;
        int x1;
        int y1;
    };
    // The pixels a box in units touches, clamped to the image's rows.
    [[nodiscard]] PixelSpan span(const Box2& box) const;
    [[nodiscard]] glm::vec2 unitsAt(int x, int y) const;

    PixelImage& image_;
    float scale_;
};

}  // namespace rovuzu
