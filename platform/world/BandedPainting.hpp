#pragma once

#include <functional>
#include <optional>

#include "platform/world/PixelImage.hpp"

namespace rovuzu {

// A picture painted a band of rows at a time, for a host with one thread that must not stop
// for long: the bands together come out as the picture painted whole.
class BandedPainting {
  public:
    // Paints the picture, or only the given rows of it.
    using Paint = std::function<PixelImage(PixelRows)>;

    explicit BandedPainting(Paint paint) : paint_(std::move(paint)) {}

    // Paints the next band, as many whole rows as make about `pixels` pixels but at least
    // one; true once the picture is whole.
    bool step(int pixels);
    [[nodiscard]] bool isWhole() const { return image_ && next_ >= image_->height(); }
    // The picture, whole once isWhole().
    [[nodiscard]] PixelImage take() { return std::move(image_).value_or(PixelImage{}); }

  private:
    Paint paint_;
    std::optional<PixelImage> image_;
    int next_ = 0;  // the first row not yet painted
};

}  // namespace rovuzu
