#pragma once

#include <optional>
#include <string>

#include "platform/arkit/CameraIntrinsics.hpp"

namespace rovuzu {

// A camera's calibration as OpenCV's FileStorage writes it (YAML, JSON or XML): camera_matrix,
// the 3x3 matrix of focal lengths and principal point, and image_width and image_height, the
// size of the pictures it was made from, where present (without them it is taken to be the
// camera's own). Its distortion_coefficients are left alone: the game corrects no distortion.
class CalibrationFile {
  public:
    struct Read {
        // In the calibration's picture size; 0 by 0 when the file does not say.
        std::optional<CameraIntrinsics> intrinsics;
        // When there are none: one line naming the file and what is wrong with it.
        std::string problem;
    };

    static Read read(const std::string& path);
};

}  // namespace rovuzu
