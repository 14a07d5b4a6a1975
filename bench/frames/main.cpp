// The frame harness: the real game's frames against the least any frame must do, drawn
// offscreen by SDL's software renderer at 750 x 1334 pixels in one run, with a still camera and
// with a camera that turns every frame. Prints p50 and p99 milliseconds per frame and ratios.
#include <SDL2/SDL.h>

#include <CLI/CLI.hpp>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <string>

#include "bench/frames/BareFrames.hpp"
#include "bench/frames/FrameTimes.hpp"
#include "bench/frames/GameFrames.hpp"
#include "bench/frames/OffscreenWindow.hpp"

namespace {

using rovuzu::FrameTimes;

constexpr int kWidth = 750;
constexpr int kHeight = 1334;
// Kinds of frame take turns in blocks this long, so that a change in the machine's load
// touches all of them alike; each block begins with one frame that is not timed.
constexpr int kBlock = 60;
constexpr int kWarmUp = 30;
constexpr double kTurnDegrees = 10.0;
constexpr double kTurnStep = 0.05;  // radians of the sweep per frame

struct Settings {
    int frames = 600;
    int targets = 25;
    std::string resources = ROVUZU_SOURCE_RESOURCES;
    std::string screenshot;
    std::string only;
};

// One kind of frame: how to make one, and the times it took.
struct Kind {
    const char* name;
    const char* label;
    std::function<void()> frame;
    FrameTimes times;
};

// The setup the design notes pin for pixel-exact software drawing; set values are kept.
void pinSoftwareDrawing() {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
}

double timed(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one;
    std::string five;
    file >> one >> five;
    return one + " " + five;
}

void run(std::vector<Kind>& kinds, const Settings& settings) {
    for (int done = 0; done < settings.frames; done += kBlock) {
        for (Kind& kind : kinds) {
            if (!settings.only.empty() && settings.only != kind.name) {
                continue;
            }
            kind.frame();
            for (int i = 0; i < std::min(kBlock, settings.frames - done); ++i) {
                kind.times.add(timed(kind.frame));
            }
        }
    }
}

void report(const std::vector<Kind>& kinds, const rovuzu::OffscreenWindow& window,
            const rovuzu::GameFrames& game, const Settings& settings) {
    std::printf("rovuzu frame harness: %s\n", window.description().c_str());
    std::printf(
        "%d targets placed in view (%zu anchors by the end), %d timed frames of each kind "
        "in blocks of %d, load average %s\n",
        settings.targets, game.anchorCount(), settings.frames, kBlock, loadAverage().c_str());
    std::printf("%-44s %8s %8s %10s\n", "frame", "p50 ms", "p99 ms", "p50 / bare");
    const double bare = kinds.front().times.p50();
    for (const Kind& kind : kinds) {
        if (kind.times.count() > 0) {
            std::printf("%-44s %8.3f %8.3f %10.2f\n", kind.label, kind.times.p50(),
                        kind.times.p99(), bare > 0.0 ? kind.times.p50() / bare : 0.0);
        }
    }
}

int measure(const Settings& settings) {
    const rovuzu::OffscreenWindow window(kWidth, kHeight);
    rovuzu::GameFrames game(window.renderer(), settings.resources, settings.targets);
    if (!window.isOpen() || !game.isRunning()) {
        std::fprintf(stderr, "rovuzu_bench_frames: cannot start (%s)\n", SDL_GetError());
        return 1;
    }
    const rovuzu::BareFrames bare(window.renderer(), kWidth, kHeight);
    double phase = 0.0;
    const auto gameFrame = [&](double yaw, bool skipUnchanged) {
        game.update(yaw);
        if (game.draw(skipUnchanged)) {
            window.present();
        }
    };
    const auto turned = [&] { return kTurnDegrees * std::sin(phase += kTurnStep); };
    std::vector<Kind> kinds;
    kinds.push_back({"bare",
                     "bare full-screen copy",
                     [&] {
                         bare.draw();
                         window.present();
                     },
                     {}});
    kinds.push_back(
        {"still", "game, still camera, every frame drawn", [&] { gameFrame(0.0, false); }, {}});
    kinds.push_back({"still-window",
                     "game, still camera, as a window draws",
                     [&] { gameFrame(0.0, true); },
                     {}});
    kinds.push_back({"turning", "game, turning camera", [&] { gameFrame(turned(), true); }, {}});
    for (int i = 0; i < kWarmUp; ++i) {
        kinds[0].frame();
        kinds[1].frame();
    }
    run(kinds, settings);
    if (!settings.screenshot.empty()) {
        game.draw(false);
        game.savePNG(settings.screenshot);
    }
    report(kinds, window, game, settings);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App cli{"Times the game's frames against a bare full-screen copy, offscreen."};
    Settings settings;
    cli.add_option("--frames", settings.frames, "Timed frames of each kind")
        ->check(CLI::Range(1, 1000000));
    cli.add_option("--targets", settings.targets, "Targets anchored in view")
        ->check(CLI::Range(0, 10000));
    cli.add_option("--resources", settings.resources, "The game's resources")
        ->check(CLI::ExistingDirectory);
    cli.add_option("--screenshot", settings.screenshot, "Writes the last game frame as a PNG");
    cli.add_option("--only", settings.only, "Runs one kind of frame, for profilers")
        ->check(CLI::IsMember({"bare", "still", "still-window", "turning"}));
    CLI11_PARSE(cli, argc, argv);

    pinSoftwareDrawing();
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "rovuzu_bench_frames: no video (%s)\n", SDL_GetError());
        return 1;
    }
    const int status = measure(settings);
    SDL_Quit();
    return status;
}
