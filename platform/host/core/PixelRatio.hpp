#pragma once

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

// How many target pixels a view point gets, when the target cannot be as large as wanted: a
// browser caps a canvas's drawing buffer and a GPU its viewport and textures, and a view drawn
// past the cap loses its edges. Drawing at a lower ratio keeps the whole view, in fewer pixels.
class PixelRatio {
  public:
    // The most pixels a side may have; 0 for no limit.
    struct Limit {
        int width = 0;
        int height = 0;
    };

    // The largest ratio, at most `wanted`, at which a view of `points` rounds to a target
    // within `limit` on both sides. `wanted` itself when it fits, or when nothing is sensible
    // (an empty view, a ratio that is not a positive number).
    [[nodiscard]] static double largestFitting(CGSize points, double wanted, Limit limit);
};

}  // namespace rovuzu
