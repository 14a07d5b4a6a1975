#pragma once

#include <opencv2/core/types.hpp>
#include <vector>

namespace cv {
class Mat;
}

namespace rovuzu {

// At most `wanted` new corners worth tracking in an 8-bit grey picture, spread over it and away
// from the `existing` ones. Corners must stand out by `threshold` grey levels, so that a blank
// wall or sensor noise yields none and the tracker can tell that there is nothing to track.
[[nodiscard]] std::vector<cv::Point2f> detectCorners(const cv::Mat& gray,
                                                     const std::vector<cv::Point2f>& existing,
                                                     int wanted, int threshold);

}  // namespace rovuzu
