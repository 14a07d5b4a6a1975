#include "platform/host/core/CoverCrop.hpp"

#include <algorithm>

namespace rovuzu {

CoverCrop CoverCrop::of(double pictureWidth, double pictureHeight, double viewWidth,
                        double viewHeight) {
    if (!(pictureWidth > 0.0 && pictureHeight > 0.0 && viewWidth > 0.0 && viewHeight > 0.0)) {
        return {};
    }
    const double scale = std::max(viewWidth / pictureWidth, viewHeight / pictureHeight);
    const double width = std::min(viewWidth / scale, pictureWidth);
    const double height = std::min(viewHeight / scale, pictureHeight);
    return {(pictureWidth - width) / 2.0, (pictureHeight - height) / 2.0, width, height};
}

}  // namespace rovuzu
