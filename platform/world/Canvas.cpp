#include "platform/world/Canvas.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <vector>

namespace rovuzu {

namespace {

// How much of the pixel [p, p + 1] lies between a and b.
float overlap(int p, float a, float b) {
    const auto pixel = static_cast<float>(p);
    return std::clamp(std::min(b, pixel + 1.0F) - std::max(a, pixel), 0.0F, 1.0F);
}

}  // namespace

Canvas::Canvas(PixelImage& image, float pixelsPerUnit) : image_(image), scale_(pixelsPerUnit) {}

float Canvas::width() const {
    return static_cast<float>(image_.width()) / scale_;
}

float Canvas::height() const {
    return static_cast<float>(image_.height()) / scale_;
}

Canvas::PixelSpan Canvas::span(const Box2& box) const {
    const auto clampX = [this](float v) {
        return std::clamp(static_cast<int>(v), 0, image_.width());
    };
    // Only the rows the image holds: all of them, or the band being painted.
    const PixelRows rows = image_.rows();
    const auto clampY = [rows](float v) {
        return std::clamp(static_cast<int>(v), rows.first, rows.end);
    };
    return {clampX(std::floor(box.x0 * scale_)), clampY(std::floor(box.y0 * scale_)),
            clampX(std::ceil(box.x1 * scale_)), clampY(std::ceil(box.y1 * scale_))};
}

glm::vec2 Canvas::unitsAt(int x, int y) const {
    return {(static_cast<float>(x) + 0.5F) / scale_, (static_cast<float>(y) + 0.5F) / scale_};
}

void Canvas::fillRect(const Box2& box, const Rgba& colour) {
    const PixelSpan s = span(box);
    for (int y = s.y0; y < s.y1; ++y) {
        const float coverY = overlap(y, box.y0 * scale_, box.y1 * scale_);
        for (int x = s.x0; x < s.x1; ++x) {
            image_.blend(x, y, colour, coverY * overlap(x, box.x0 * scale_, box.x1 * scale_));
        }
    }
}

void Canvas::strokeRect(const Box2& box, float thickness, const Rgba& colour) {
    fillRect({box.x0, box.y0, box.x1, box.y0 + thickness}, colour);
    fillRect({box.x0, box.y1 - thickness, box.x1, box.y1}, colour);
    fillRect({box.x0, box.y0 + thickness, box.x0 + thickness, box.y1 - thickness}, colour);
    fillRect({box.x1 - thickness, box.y0 + thickness, box.x1, box.y1 - thickness}, colour);
}

void Canvas::fillCircle(glm::vec2 centre, float radius, const Rgba& colour) {
    const PixelSpan s =
        span({centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius});
    for (int y = s.y0; y < s.y1; ++y) {
        for (int x = s.x0; x < s.x1; ++x) {
            const float distance = glm::distance(unitsAt(x, y), centre);
            image_.blend(x, y, colour, std::clamp((radius - distance) * scale_ + 0.5F, 0.0F, 1.0F));
        }
    }
}

void Canvas::fillPolygon(std::initializer_list<glm::vec2> points, const Rgba& colour) {
    const std::vector<glm::vec2> p(points);
    if (p.size() < 3) {
        return;
    }
    float area = 0.0F;
    Box2 box{p[0].x, p[0].y, p[0].x, p[0].y};
    for (std::size_t i = 0; i < p.size(); ++i) {
        const glm::vec2& a = p[i];
        const glm::vec2& b = p[(i + 1) % p.size()];
        area += a.x * b.y - b.x * a.y;
        box = {std::min(box.x0, a.x), std::min(box.y0, a.y), std::max(box.x1, a.x),
               std::max(box.y1, a.y)};
    }
    // Each edge as a line with a unit normal pointing inwards, so that the smallest signed
    // distance of a pixel centre to the edges gives its coverage.
    struct Edge {
        glm::vec2 from;
        glm::vec2 inward;
    };
    std::vector<Edge> edges;
    const float winding = area > 0.0F ? 1.0F : -1.0F;
    for (std::size_t i = 0; i < p.size(); ++i) {
        const glm::vec2 along = p[(i + 1) % p.size()] - p[i];
        const float length = glm::length(along);
        if (length > 0.0F) {
            edges.push_back({p[i], glm::vec2{-along.y, along.x} * (winding / length)});
        }
    }
    const PixelSpan s = span(box);
    for (int y = s.y0; y < s.y1; ++y) {
        for (int x = s.x0; x < s.x1; ++x) {
            const glm::vec2 q = unitsAt(x, y);
            float nearest = 1e9F;
            for (const Edge& edge : edges) {
                nearest = std::min(nearest, glm::dot(q - edge.from, edge.inward));
            }
            image_.blend(x, y, colour, std::clamp(nearest * scale_ + 0.5F, 0.0F, 1.0F));
        }
    }
}

}  // namespace rovuzu
