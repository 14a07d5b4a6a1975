#include "platform/uikit/UIApplicationMain.hpp"

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <variant>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/desktop/CameraInput.hpp"
#include "platform/host/desktop/CommandLine.hpp"
#include "platform/host/desktop/ProgramFolder.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/host/sdl/MixerAudio.hpp"
#include "platform/host/sdl/WindowHost.hpp"

namespace rovuzu {

namespace {

constexpr int kBadInput = 2;
constexpr int kCannotStart = 1;

[[noreturn]] void stop(int status, const std::string& problem) {
    diagnose(problem);
    std::exit(status);
}

// The resources: where --resources says, else next to an installed binary, else the source
// tree the binary was built from.
std::filesystem::path findResources(const Options& options) {
    std::error_code error;
    if (options.resources) {
        if (!std::filesystem::is_directory(*options.resources, error)) {
            stop(kCannotStart, options.resources->string() + ": not a readable resource folder");
        }
        return *options.resources;
    }
    const std::vector<std::filesystem::path> candidates{
        ProgramFolder::executable() / ".." / "share" / "rovuzu",
        std::filesystem::path{ROVUZU_SOURCE_RESOURCES}};
    for (const auto& folder : candidates) {
        if (std::filesystem::is_regular_file(folder / "Info.json", error)) {
            return folder.lexically_normal();
        }
    }
    stop(kCannotStart, "cannot find the resources (looked in " + candidates[0].string() + " and " +
                           candidates[1].string() + "); pass --resources DIR");
}

Script loadScript(const Options& options) {
    if (!options.script) {
        return {};
    }
    std::string problem;
    auto script = Script::load(*options.script, problem);
    if (!script) {
        stop(kBadInput, problem);
    }
    return std::move(*script);
}

HostSession::Plan planFor(const Options& options, Script script,
                          const std::string& delegateClassName) {
    HostSession::Plan plan;
    plan.delegateClassName = delegateClassName;
    plan.view = options.view;
    plan.seed = options.seed;
    plan.script = std::move(script);
    plan.autoplay = options.autoplay;
    plan.record = options.record;
    HostSession::Settings& settings = plan.settings;
    settings = options.headless ? HostSession::Settings::headless() : HostSession::Settings{};
    settings.quitAfter = options.quitAfter;
    // SDL paints the world's triangles in software: a window's moving frames get it coarser.
    settings.quickWhileMoving = !options.headless;
    if (options.screenshot) {
        settings.finalScreenshot = options.screenshot->string();
    }
    return plan;
}

// Opens the window (unless headless), runs the session in it or headless until the run ends,
// and writes the report. In a window the session's clock follows the real time since launch,
// frame by frame; headless it jumps from event to event.
void run(const Options& options, Script script, const std::string& delegateClassName) {
    std::optional<WindowHost> window;
    if (!options.headless) {
        window.emplace();
        if (!window->open(options.view, !options.camera && !options.cameraFile)) {
            std::exit(kCannotStart);
        }
    }
    const std::unique_ptr<MixerAudio> audio = window ? MixerAudio::open() : nullptr;
    HostSession session(planFor(options, std::move(script), delegateClassName), audio.get());
    if (!session.launch()) {
        std::exit(kCannotStart);  // it has said why, in one line
    }
    const auto camera = CameraInput::open(options);
    session.setCamera(camera.get());
    if (window) {
        window->run(session);
    } else {
        HeadlessHost{}.run(session);
    }
    if (options.report) {
        Report::write(*options.report, session.report());
    }
}

}  // namespace

int UIApplicationMain(int argc, char** argv, const char* /*principalClassName*/,
                      const std::string& delegateClassName) {
    const auto parsed = CommandLine::parse(argc, argv);
    if (const int* status = std::get_if<int>(&parsed)) {
        std::exit(*status);
    }
    const auto& options = std::get<Options>(parsed);
    Script script = loadScript(options);
    NSBundle::setMainBundlePath(findResources(options));
    run(options, std::move(script), delegateClassName);
    return 0;
}

}  // namespace rovuzu
