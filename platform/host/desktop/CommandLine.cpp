#include "platform/host/desktop/CommandLine.hpp"

#include <CLI/CLI.hpp>
#include <charconv>
#include <cmath>
#include <iostream>
#include <optional>
#include <string>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

constexpr double kLargestView = 16384.0;

constexpr const char* kControls = R"(Controls in the window:
  left click, finger     tap
  right drag, arrows     turn (yaw and pitch)
  W A S D, Q E           move forward, left, back, right, down, up
  gyro                   a game controller's gyro turns the view
  F11                    fullscreen
  Esc                    quit
)";

// "375x667" in points.
std::optional<CGSize> parseViewSize(const std::string& text) {
    const auto x = text.find('x');
    if (x == std::string::npos) {
        return std::nullopt;
    }
    double width = 0.0;
    double height = 0.0;
    const char* end = text.data() + text.size();
    const auto w = std::from_chars(text.data(), text.data() + x, width);
    const auto h = std::from_chars(text.data() + x + 1, end, height);
    if (w.ec != std::errc{} || w.ptr != text.data() + x || h.ec != std::errc{} || h.ptr != end ||
        !(width >= 1.0 && width <= kLargestView && height >= 1.0 && height <= kLargestView)) {
        return std::nullopt;
    }
    return CGSize{width, height};
}

void describe(CLI::App& app, Options& options, std::string& view) {
    app.add_flag("--headless", options.headless,
                 "No window; a virtual clock at 60 frames a second");
    app.add_option("--script", options.script, "Timed input, one event a line");
    app.add_flag("--autoplay", options.autoplay, "A built-in player faces and taps each target");
    app.add_option("--seed", options.seed, "Seed of the shared random source");
    app.add_option("--view", view, "View size in points, WIDTHxHEIGHT (default 375x667)");
    app.add_option("--report", options.report, "Write a JSON report of the run at exit");
    app.add_option("--screenshot", options.screenshot, "Write a PNG of the last frame");
    app.add_option("--quit-after", options.quitAfter, "Stop at this many seconds");
    app.add_option("--resources", options.resources, "Folder holding the game's resources");
    app.add_option("--record", options.record, "Write the session's input as a replayable script");
    app.add_option("--camera", options.camera,
                   "Show a webcam's picture and track it (default /dev/video0)")
        ->expected(0, 1)
        ->default_str("/dev/video0");
    app.add_option("--camera-file", options.cameraFile,
                   "Play a recorded video as the camera picture");
    app.add_option("--camera-fov", options.cameraFieldOfView,
                   "The camera's field of view across its picture's longer side, in degrees "
                   "(default 60)");
    app.add_option("--camera-calibration", options.cameraCalibration,
                   "An OpenCV calibration file (YAML, JSON or XML) for the camera");
    app.set_version_flag("--version", std::string("rovuzu ") + ROVUZU_VERSION);
    app.footer(kControls);
}

// Checks what CLI11 cannot and fills in what follows from the rest; the problem, if any.
std::optional<std::string> settle(Options& options, const std::string& view, const CLI::App& app) {
    if (!view.empty()) {
        const auto size = parseViewSize(view);
        if (!size) {
            return "--view: '" + view + "' is not WIDTHxHEIGHT in points, such as 375x667";
        }
        options.view = *size;
    }
    if (options.quitAfter && !(std::isfinite(*options.quitAfter) && *options.quitAfter >= 0.0)) {
        return "--quit-after: the time must be zero or more seconds";
    }
    if (!(options.cameraFieldOfView >= 1.0 && options.cameraFieldOfView <= 179.0)) {
        return "--camera-fov: the field of view must be from 1 to 179 degrees";
    }
    const bool camera = options.camera || options.cameraFile;
    for (const char* name : {"--camera-fov", "--camera-calibration"}) {
        if (!camera && app.count(name) > 0) {
            return std::string(name) +
                   ": it describes a camera: give --camera or --camera-file too";
        }
    }
    if (options.camera && options.camera->empty()) {
        options.camera = "/dev/video0";
    }
    return std::nullopt;
}

}  // namespace

std::variant<Options, int> CommandLine::parse(int argc, const char* const* argv) {
    CLI::App app{"rovuzu: an augmented-reality target game", "rovuzu"};
    Options options;
    std::string view;
    describe(app, options, view);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << '\n';
        return 0;
    } catch (const CLI::ParseError& error) {
        diagnose(error.what() + std::string("; see --help"));
        return 2;
    }
    if (const auto problem = settle(options, view, app)) {
        diagnose(*problem);
        return 2;
    }
    return options;
}

}  // namespace rovuzu
