#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

// The command line.
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

    // The options, or the exit status when the program should end now: 0 after --help or
    // --version, 2 after a bad command line (the problem is on stderr).
    static std::variant<Options, int> parse(int argc, const char* const* argv);
};

}  // namespace rovuzu
