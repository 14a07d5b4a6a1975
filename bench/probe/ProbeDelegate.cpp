#include "bench/probe/ProbeDelegate.hpp"

#include <sys/resource.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <glm/gtc/matrix_transform.hpp>
#include <string>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/NSTimer.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIApplicationDelegate, ProbeDelegate)

namespace {

// Latency: the target comes first, the click once it has been drawn for a while.
constexpr double kTargetAt = 0.5;
constexpr double kClickAt = 1.0;
constexpr double kLatencyEnd = 1.5;
// Idle: after the first frames, five seconds untouched, then five seconds minimised.
constexpr double kStillFrom = 2.0;
constexpr double kStillTo = 7.0;
constexpr double kMinimisedFrom = 8.0;
constexpr double kMinimisedTo = 13.0;

void after(double seconds, std::function<void()> work) {
    NSTimer::scheduledTimerWithTimeInterval(seconds, false,
                                            [work = std::move(work)](NSTimer&) { work(); });
}

SDL_Window* gameWindow() {
    constexpr Uint32 kFewWindows = 16;
    for (Uint32 id = 1; id <= kFewWindows; ++id) {
        if (SDL_Window* window = SDL_GetWindowFromID(id)) {
            return window;
        }
    }
    return nullptr;
}

void push(SDL_Event event) {
    SDL_PushEvent(&event);
}

void pushWindowEvent(SDL_WindowEventID what) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = what;
    event.window.windowID = SDL_GetWindowID(gameWindow());
    push(event);
}

void pushQuit() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    push(event);
}

// Frames SDL's offscreen driver has saved in the working folder so far.
long savedFrames() {
    long count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        count += entry.path().extension() == ".bmp" ? 1 : 0;
    }
    return count;
}

std::string statusLine(const std::string& key) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind(key + ":", 0) == 0) {
            return line;
        }
    }
    return key + ": unknown";
}

}  // namespace

bool ProbeDelegate::application(UIApplication& application,
                                const UIApplicationLaunchOptions* launchOptions) {
    AppDelegate::application(application, launchOptions);
    if (probe_ == Probe::latency) {
        armLatency(application);
    } else if (probe_ == Probe::idle) {
        armIdle();
    }
    return true;
}

void ProbeDelegate::armLatency(UIApplication& application) {
    // The view is looked up when the timer fires, so that launching goes exactly as usual.
    after(kTargetAt, [&application] {
        const auto& window = application.keyWindow();
        auto* view =
            window ? dynamic_cast<ARSKView*>(window->rootViewController()->view().get()) : nullptr;
        if (view != nullptr) {
            const simd_float4x4 ahead =
                glm::translate(simd_float4x4{1.0F}, simd_float3{0.0F, 0.0F, -1.5F});
            view->session().addAnchor(std::make_shared<ARAnchor>(ahead));
        }
    });
    after(kClickAt, [] {
        SDL_Window* window = gameWindow();
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window, &width, &height);
        clickedAt_ = {width / 2, height / 2};
        framesBeforeClick_ = savedFrames();
        SDL_Event event{};
        event.button = {SDL_MOUSEBUTTONDOWN,
                        0,
                        SDL_GetWindowID(window),
                        0,
                        SDL_BUTTON_LEFT,
                        SDL_PRESSED,
                        1,
                        0,
                        clickedAt_.x,
                        clickedAt_.y};
        push(event);
        event.button.type = SDL_MOUSEBUTTONUP;
        event.button.state = SDL_RELEASED;
        push(event);
    });
    after(kLatencyEnd, pushQuit);
}

void ProbeDelegate::armIdle() {
    after(kStillFrom, [this] { stillFrom_ = sample(); });
    after(kStillTo, [this] {
        report("still, nothing moving", stillFrom_, sample());
        pushWindowEvent(SDL_WINDOWEVENT_MINIMIZED);
    });
    after(kMinimisedFrom, [this] { minimisedFrom_ = sample(); });
    after(kMinimisedTo, [this] {
        report("minimised", minimisedFrom_, sample());
        pushWindowEvent(SDL_WINDOWEVENT_RESTORED);
        pushQuit();
    });
}

void ProbeDelegate::applicationWillTerminate(UIApplication& application) {
    AppDelegate::applicationWillTerminate(application);
    if (probe_ == Probe::memory) {
        std::fprintf(stderr, "rovuzu_probe: at the end of the run: %s, %s\n",
                     statusLine("VmRSS").c_str(), statusLine("VmHWM").c_str());
    }
}

ProbeDelegate::Sample ProbeDelegate::sample() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1.0e6;
    };
    const auto wall = std::chrono::steady_clock::now().time_since_epoch();
    return {seconds(usage.ru_utime) + seconds(usage.ru_stime),
            std::chrono::duration<double>(wall).count()};
}

void ProbeDelegate::report(const char* what, const Sample& from, const Sample& to) {
    const double wall = to.wall - from.wall;
    const double cpu = to.cpu - from.cpu;
    std::fprintf(stderr, "rovuzu_probe: %s: %.3f s of CPU in %.3f s, %.1f%% of a core\n", what, cpu,
                 wall, wall > 0.0 ? 100.0 * cpu / wall : 0.0);
}

}  // namespace rovuzu
