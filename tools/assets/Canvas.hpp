#pragma once

#include <filesystem>
#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec4.hpp>
#include <vector>

namespace rovuzu {

// Straight (not premultiplied) RGBA, each channel in [0, 1].
using Colour = glm::vec4;
// Signed distance to a shape's edge in design units, negative inside.
using Field = std::function<float(glm::vec2)>;
// Colour at a point in design units.
using Paint = std::function<Colour(glm::vec2)>;

constexpr Colour hexColour(unsigned rgb, float alpha = 1.0f) {
    return {static_cast<float>((rgb >> 16) & 0xffu) / 255.0f,
            static_cast<float>((rgb >> 8) & 0xffu) / 255.0f,
            static_cast<float>(rgb & 0xffu) / 255.0f, alpha};
}

// Coverage of a rendered glyph run, one float per pixel.
struct AlphaMask {
    int width = 0;
    int height = 0;
    std::vector<float> alpha;

    [[nodiscard]] float at(int x, int y) const {
        return alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                     static_cast<std::size_t>(x)];
    }
};

// An RGBA picture painted with distance fields, composited "over" layer by layer.
class Canvas {
  public:
    Canvas(int width, int height);

    // Later drawing is authored in design units: the design's (0, 0) lands on pixel `origin`
    // and one unit spans `scale` pixels, so one design can be drawn at several sizes.
    void setView(glm::vec2 origin, float scale);

    // Edge coverage comes straight from the distance, which anti-aliases without
    // supersampling; a `blur` wider than one pixel makes soft shadows.
    void fill(const Field& shape, const Paint& paint, float blur = 1.0f);
    void fill(const Field& shape, Colour colour, float blur = 1.0f);

    // `topLeft` is in pixels; the paint is still sampled in design units.
    void fillMask(const AlphaMask& mask, glm::ivec2 topLeft, const Paint& paint);

    void savePng(const std::filesystem::path& file) const;

  private:
    [[nodiscard]] glm::vec2 designPoint(int x, int y) const;
    [[nodiscard]] std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }
    void blend(int x, int y, Colour colour, float coverage);

    int width_;
    int height_;
    glm::vec2 origin_{0.0f};
    float scale_ = 1.0f;
    std::vector<Colour> premultiplied_;
};

}  // namespace rovuzu
