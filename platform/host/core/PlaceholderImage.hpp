#pragma once

#include "platform/world/PixelImage.hpp"

namespace rovuzu {

// What shows for an image that is missing or cannot be decoded: magenta and black checks
// crossed by white diagonals, like the platform's own missing image, at its placeholder size.
class PlaceholderImage {
  public:
    static PixelImage make();
};

}  // namespace rovuzu
