#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

// How a run was asked for: by the desktop's command line, or by a page's address in a browser.
struct Options {
    bool headless = false;
    std::optional<std::filesystem::path> script;
    bool autoplay = false;
    std::optional<std::uint32_t> seed;
    CGSize view{375.0, 667.0};
    std::optional<std::filesystem::path> report;
    std::optional<std::filesystem::path> screenshot;
    std::optional<double> quitAfter;
    std::optional<std::filesystem::path> resources;
    std::optional<std::filesystem::path> record;
    std::optional<std::string> camera;
    std::optional<std::filesystem::path> cameraFile;
    // How the camera films: the field of view across its pictures' longer side, or a
    // calibration file that takes its place.
    double cameraFieldOfView = 60.0;
    std::optional<std::filesystem::path> cameraCalibration;
};

}  // namespace rovuzu
