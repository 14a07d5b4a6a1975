#pragma once

#include <optional>

#include "platform/arkit/CameraIntrinsics.hpp"

namespace rovuzu {

// How a real camera films, whatever size its pictures come in: a field of view across the
// picture's longer side, or a calibration made at some picture size. The tracker and the AR
// view's projection both take their intrinsics from it, so that they agree.
struct CameraLens {
    double fieldOfViewDegrees = CameraIntrinsics::kDefaultFieldOfViewDegrees;
    // In the size of the pictures it was made from; a calibration of 0 by 0 pixels is for the
    // camera's own pictures, whatever their size.
    std::optional<CameraIntrinsics> calibration;

    // The intrinsics of this camera's pictures of `width` by `height` pixels.
    [[nodiscard]] CameraIntrinsics intrinsicsFor(int width, int height) const;
};

}  // namespace rovuzu
