#include "platform/uikit/UIApplicationMain.hpp"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <random>
#include <system_error>
#include <variant>
#include <vector>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/desktop/CameraInput.hpp"
#include "platform/host/desktop/CommandLine.hpp"
#include "platform/host/desktop/ProgramFolder.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/host/sdl/MixerAudio.hpp"
#include "platform/host/sdl/WindowHost.hpp"
#include "platform/spritekit/AudioOutput.hpp"
#include "platform/uikit/UIApplication.hpp"

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

std::uint32_t chooseSeed(const Options& options, const Script& script) {
    if (options.seed) {
        return *options.seed;
    }
    if (script.seed()) {
        return *script.seed();
    }
    return std::random_device{}();
}

HostLoop::Settings settingsFor(const Options& options) {
    HostLoop::Settings settings =
        options.headless ? HostLoop::Settings::headless() : HostLoop::Settings{};
    settings.quitAfter = options.quitAfter;
    // SDL paints the world's triangles in software: a window's moving frames get it coarser.
    settings.quickWhileMoving = !options.headless;
    if (options.screenshot) {
        settings.finalScreenshot = options.screenshot->string();
    }
    return settings;
}

// Launches the application, runs it in the window or headless until the run ends, writes the
// report and lets the application go. Both run on a virtual clock: headless it jumps from
// event to event, in a window it follows the real time since launch, frame by frame.
void run(const Options& options, const Script& script, std::uint32_t seed,
         const std::string& delegateClassName) {
    VirtualClock clock;
    Clock::install(&clock);
    std::optional<WindowHost> window;
    if (!options.headless) {
        window.emplace();
        if (!window->open(options.view, !options.camera && !options.cameraFile)) {
            std::exit(kCannotStart);
        }
    }
    std::optional<Recorder> recorder;
    if (options.record) {
        recorder.emplace(*options.record, seed, options.view);
    }
    std::unique_ptr<MixerAudio> audio;
    if (window) {
        audio = MixerAudio::open();
        AudioOutput::install(audio.get());
    }
    UIApplication application;
    if (!application.launch(delegateClassName, options.view)) {
        std::exit(kCannotStart);  // it has said why, in one line
    }
    FrameLoop frames(application, options.autoplay, recorder ? &*recorder : nullptr);
    HostLoop loop(application, frames, settingsFor(options), script.events(), clock);
    const auto camera = CameraInput::open(options);
    loop.setCamera(camera.get());
    const double end = window ? window->run(loop) : HeadlessHost{}.run(loop);
    if (options.report) {
        Report::write(*options.report, Report::build(end, loop.frames().view()));
    }
    application.terminate();
    AudioOutput::install(nullptr);
    Clock::install(nullptr);
}

}  // namespace

int UIApplicationMain(int argc, char** argv, const char* /*principalClassName*/,
                      const std::string& delegateClassName) {
    const auto parsed = CommandLine::parse(argc, argv);
    if (const int* status = std::get_if<int>(&parsed)) {
        std::exit(*status);
    }
    const auto& options = std::get<Options>(parsed);
    const Script script = loadScript(options);
    NSBundle::setMainBundlePath(findResources(options));
    const std::uint32_t seed = chooseSeed(options, script);
    GKRandomSource::sharedRandom().seed(seed);
    run(options, script, seed, delegateClassName);
    return 0;
}

}  // namespace rovuzu
