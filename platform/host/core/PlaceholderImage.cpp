#include "platform/host/core/PlaceholderImage.hpp"

#include <cstdlib>

#include "platform/spritekit/SKTexture.hpp"

namespace rovuzu {

namespace {

constexpr int kSide = static_cast<int>(SKTexture::kPlaceholderSide);
constexpr int kCheck = 16;
constexpr int kCrossHalfWidth = 3;

}  // namespace

PixelImage PlaceholderImage::make() {
    PixelImage image(kSide, kSide, Rgba::hex(0x000000));
    const int last = kSide - 1;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            if (std::abs(x - y) <= kCrossHalfWidth || std::abs(x + y - last) <= kCrossHalfWidth) {
                image.blend(x, y, Rgba::hex(0xFFFFFF));
            } else if ((x / kCheck + y / kCheck) % 2 == 0) {
                image.blend(x, y, Rgba::hex(0xFF00FF));
            }
        }
    }
    return image;
}

}  // namespace rovuzu
