#include "platform/uikit/UIApplicationMain.hpp"

#include <unistd.h>

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
#include "platform/host/CameraInput.hpp"
#include "platform/host/FrameLoop.hpp"
#include "platform/host/HeadlessHost.hpp"
#include "platform/host/MixerAudio.hpp"
#include "platform/host/Options.hpp"
#include "platform/host/ProgramFolder.hpp"
#include "platform/host/Recorder.hpp"
#include "platform/host/Report.hpp"
#include "platform/host/Script.hpp"
#include "platform/host/WindowHost.hpp"
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

// Launches the application, runs it in the host until the run ends, writes the report and
// lets the application go. Both hosts run on a virtual clock: headless it jumps from event to
// event, in a window it follows the real time since launch, frame by frame.
template <class Host>
void runIn(Host& host, const Options& options, std::uint32_t seed,
           const std::string& delegateClassName) {
    std::optional<Recorder> recorder;
    if (options.record) {
        recorder.emplace(*options.record, seed, options.view);
    }
    std::unique_ptr<MixerAudio> audio;
    if (!options.headless) {
        audio = MixerAudio::open();
        AudioOutput::install(audio.get());
    }
    UIApplication application;
    if (!application.launch(delegateClassName, options.view)) {
        std::exit(kCannotStart);  // it has said why, in one line
    }
    FrameLoop loop(application, options.autoplay, recorder ? &*recorder : nullptr);
    const auto camera = CameraInput::open(options);
    host.setCamera(camera.get());
    const double end = host.run(application, loop);
    if (options.report) {
        Report::write(*options.report, Report::build(end, loop.view()));
    }
    application.terminate();
    AudioOutput::install(nullptr);
}

void run(const Options& options, const Script& script, std::uint32_t seed,
         const std::string& delegateClassName) {
    VirtualClock clock;
    Clock::install(&clock);
    if (options.headless) {
        HeadlessHost host(options, script.events(), clock);
        runIn(host, options, seed, delegateClassName);
    } else {
        WindowHost host(options, script.events(), clock);
        if (!host.open(options.view)) {
            std::exit(kCannotStart);
        }
        runIn(host, options, seed, delegateClassName);
    }
    Clock::install(nullptr);
}

}  // namespace

int UIApplicationMain(int argc, char** argv, const char* /*principalClassName*/,
                      const std::string& delegateClassName) {
    const auto parsed = Options::parse(argc, argv);
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
