#pragma once

#include <cstdint>
#include <vector>

namespace rovuzu {

// One camera picture, free of any imaging library's types so that the host can draw it as is.
struct CameraFrame {
    int width = 0;
    int height = 0;
    // width * height * 3 bytes: red, green, blue; rows top to bottom, no padding.
    std::vector<std::uint8_t> rgb;
    // Seconds; from the file's own timestamps for a video, since opening for a live camera.
    double time = 0.0;
};

}  // namespace rovuzu
