#include "platform/world/BandedPainting.hpp"

#include <algorithm>

namespace rovuzu {

bool BandedPainting::step(int pixels) {
    if (!image_) {
        // A band of no rows costs next to nothing and tells the picture's size; every row of
        // the picture is then taken from a band.
        const PixelImage none = paint_({0, 0});
        image_.emplace(none.width(), none.height(), Rgba{0.0F, 0.0F, 0.0F, 0.0F});
    }
    const int rows = std::max(1, pixels / std::max(image_->width(), 1));
    const PixelRows band{next_, std::min(next_ + rows, image_->height())};
    if (band.first < band.end) {
        image_->copyRows(paint_(band), band);
    }
    next_ = band.end;
    return isWhole();
}

}  // namespace rovuzu
