// Runs the real program with a measuring application delegate (see ProbeDelegate):
//   rovuzu_probe latency|idle|memory [rovuzu options...]
// latency draws through SDL's offscreen video driver into a scratch folder and reports how many
// frames after a click the clicked target first looks different; idle and memory print their
// figures on stderr while the program runs as the options say.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/probe/ProbeDelegate.hpp"
#include "bench/probe/SavedFrames.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/uikit/UIApplicationMain.hpp"

namespace {

using rovuzu::ProbeDelegate;

constexpr int kTargetRadius = 40;  // window pixels around the clicked point

int usage() {
    std::fprintf(stderr, "usage: rovuzu_probe latency|idle|memory [rovuzu options...]\n");
    return 2;
}

void pinSoftwareDrawing() {
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

int runGame(std::vector<char*> arguments) {
    const std::string delegate = rovuzu::NSStringFromClass<ProbeDelegate>();
    return rovuzu::UIApplicationMain(static_cast<int>(arguments.size()), arguments.data(), nullptr,
                                     delegate);
}

// Frames after the click's own frame until the target looks different; -1 if it never does.
int framesUntilTheHitShows(const std::filesystem::path& folder) {
    const rovuzu::SavedFrames frames(folder);
    const auto clickFrame = static_cast<std::size_t>(ProbeDelegate::framesBeforeClick());
    for (std::size_t frame = clickFrame + 1; frame < frames.count(); ++frame) {
        if (frames.differ(clickFrame, frame, ProbeDelegate::clickedAt(), kTargetRadius)) {
            return static_cast<int>(frame - clickFrame);
        }
    }
    return -1;
}

int measureLatency(std::vector<char*> arguments) {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    setenv("SDL_VIDEO_OFFSCREEN_SAVE_FRAMES", "1", 1);
    const auto folder =
        std::filesystem::temp_directory_path() / ("rovuzu-probe-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(folder);
    runGame(std::move(arguments));
    std::filesystem::current_path(home);
    const int latency =
        ProbeDelegate::framesBeforeClick() < 0 ? -1 : framesUntilTheHitShows(folder);
    std::filesystem::remove_all(folder);
    if (latency < 0) {
        std::fprintf(stderr, "rovuzu_probe: the click never showed\n");
        return 1;
    }
    std::printf("latency: the click came during frame %ld; the hit first shows %d frame%s later\n",
                ProbeDelegate::framesBeforeClick() + 1, latency, latency == 1 ? "" : "s");
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        return usage();
    }
    const std::string probe = argv[1];
    std::vector<char*> arguments{argv[0]};
    arguments.insert(arguments.end(), argv + 2, argv + argc);
    pinSoftwareDrawing();
    if (probe == "latency") {
        ProbeDelegate::choose(ProbeDelegate::Probe::latency);
        return measureLatency(std::move(arguments));
    }
    if (probe == "idle") {
        ProbeDelegate::choose(ProbeDelegate::Probe::idle);
        return runGame(std::move(arguments));
    }
    if (probe == "memory") {
        ProbeDelegate::choose(ProbeDelegate::Probe::memory);
        return runGame(std::move(arguments));
    }
    return usage();
}
