#include "platform/host/core/Readouts.hpp"

#include <cmath>

#include "platform/host/core/TextHalo.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

namespace {

constexpr double kPaddingX = 5.0;  // points
constexpr double kPaddingY = 2.0;

}  // namespace

std::string Readouts::text(const SKView& view) {
    std::string line;
    if (view.showsNodeCount()) {
        const std::size_t count = view.nodeCount();
        line = std::to_string(count) + (count == 1 ? " node" : " nodes");
    }
    if (view.showsFPS()) {
        const double fps = view.framesPerSecond();
        const long rounded = std::isfinite(fps) && fps > 0.0 ? std::lround(fps) : 0L;
        line += (line.empty() ? "" : "  ") + std::to_string(rounded) + " fps";
    }
    return line;
}

double Readouts::halo(double pixelsPerPoint) {
    return TextHalo::thickness(kFontSize * pixelsPerPoint, pixelsPerPoint);
}

Readouts::Strip Readouts::strip(Corner corner, int width, int height, const PixelArea& area,
                                double pixelsPerPoint) {
    const auto padX = static_cast<int>(std::lround(kPaddingX * pixelsPerPoint));
    const auto padY = static_cast<int>(std::lround(kPaddingY * pixelsPerPoint));
    const int w = width + 2 * padX;
    const int h = height + 2 * padY;
    const PixelArea backing =
        corner == Corner::bottomRight
            ? PixelArea{area.x + area.width - w, area.y + area.height - h, w, h}
            : PixelArea{area.x + (area.width - w) / 2, area.y, w, h};
    return {backing, backing.x + padX, backing.y + padY};
}

}  // namespace rovuzu
