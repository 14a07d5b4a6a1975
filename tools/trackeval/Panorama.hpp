#pragma once

#include <cstdint>
#include <opencv2/core/mat.hpp>
#include <optional>

namespace rovuzu {

// A stretch of the panorama without texture, between two yaw angles in degrees (the first
// further right, that is smaller): a blank wall to lose tracking on.
struct BlankWall {
    double fromYawDegrees;
    double toYawDegrees;
};

// A procedural all-round picture to film with a virtual camera: an equirectangular BGR image,
// `width` by width / 2, mixing noise of many scales, shapes with sharp edges, gradients and
// lettering, much as a room or a street offers a tracker. The same seed gives the same picture.
[[nodiscard]] cv::Mat makePanorama(int width, std::uint32_t seed,
                                   std::optional<BlankWall> wall = std::nullopt);

}  // namespace rovuzu
