#include "platform/host/core/TextBox.hpp"

#include <algorithm>
#include <cmath>

namespace rovuzu {

int TextBox::setSize(const Frame::Text& text) {
    return std::clamp(static_cast<int>(std::lround(text.sizeY)), 1, kLargestSetPixels);
}

double TextBox::setHalo(const Frame::Text& text) {
    const int size = setSize(text);
    return std::min(text.halo * size / text.sizeY, static_cast<double>(size));
}

PixelBox TextBox::of(const Frame::Text& text, int width, int height, int ascent, int padding) {
    const int size = setSize(text);
    const double kx = text.sizeX / size;
    const double ky = text.sizeY / size;
    const double drawnWidth = width * kx;
    double left = text.baseline.x - drawnWidth / 2.0;
    if (text.alignment == SKLabelHorizontalAlignmentMode::left) {
        left = text.baseline.x;
    } else if (text.alignment == SKLabelHorizontalAlignmentMode::right) {
        left = text.baseline.x - drawnWidth;
    }
    return {static_cast<float>(std::round(left - padding * kx)),
            static_cast<float>(std::round(text.baseline.y - (ascent + padding) * ky)),
            static_cast<float>((width + 2 * padding) * kx),
            static_cast<float>((height + 2 * padding) * ky)};
}

}  // namespace rovuzu
