#include <SDL2/SDL.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/host/sdl/WindowHost.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "tests/support/Program.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

constexpr std::uint32_t kSeed = 7;

// What the player does, as SDL would report it, pushed from another thread while the window
// runs: a click, a right-drag, a held arrow key, two fingers at once and a resize.
void play() {
    const auto wait = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    const auto push = [](SDL_Event event) { SDL_PushEvent(&event); };
    SDL_Event event{};
    wait(300);
    event = {};
    event.type = SDL_MOUSEBUTTONDOWN;
    event.button = {SDL_MOUSEBUTTONDOWN, 0, 0, 0, SDL_BUTTON_LEFT, SDL_PRESSED, 1, 0, 300, 500};
    push(event);
    wait(300);
    event = {};
    event.button = {SDL_MOUSEBUTTONDOWN, 0, 0, 0, SDL_BUTTON_RIGHT, SDL_PRESSED, 1, 0, 100, 100};
    push(event);
    event = {};
    event.motion = {SDL_MOUSEMOTION, 0, 0, 0, SDL_BUTTON_RMASK, 130, 90, 30, -10};
    push(event);
    event = {};
    event.button = {SDL_MOUSEBUTTONUP, 0, 0, 0, SDL_BUTTON_RIGHT, SDL_RELEASED, 1, 0, 130, 90};
    push(event);
    wait(300);
    event = {};
    event.key = {SDL_KEYDOWN, 0, 0, SDL_PRESSED, 0, 0, 0, {SDL_SCANCODE_LEFT, SDLK_LEFT, 0, 0}};
    push(event);
    wait(250);
    event.key.type = SDL_KEYUP;
    event.key.state = SDL_RELEASED;
    push(event);
    wait(200);
    for (const float x : {0.25F, 0.75F}) {
        event = {};
        event.tfinger = {
            SDL_FINGERDOWN, 0, 1, static_cast<SDL_FingerID>(x * 4), x, 0.5F, 0, 0, 1, 0};
        push(event);
    }
    wait(200);
    event = {};
    event.window = {SDL_WINDOWEVENT, 0, 0, SDL_WINDOWEVENT_SIZE_CHANGED, 0, 0, 0, 700, 500};
    push(event);
}

class WindowRecordTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
        NSBundle::setMainBundlePath(ROVUZU_SOURCE_RESOURCES);
    }

    // The whole run: launch, host, report; then everything is let go of.
    template <class Host>
    std::string run(Host& host, const HostLoop::Settings& settings,
                    const std::vector<InputEvent>& script, VirtualClock& runClock, bool autoplay,
                    Recorder* recorder) {
        UIApplication application;
        EXPECT_TRUE(application.launch("AppDelegate", {375, 667}));
        FrameLoop frames(application, autoplay, recorder);
        HostLoop loop(application, frames, settings, script, runClock);
        const double end = host.run(loop);
        std::string report = Report::build(end, frames.view());
        application.terminate();
        return report;
    }
};

TEST_F(WindowRecordTest, ARecordedWindowSessionReplaysHeadlessToTheSameOutputAndReport) {
    const auto recording = bundle / "session.txt";
    HostLoop::Settings settings;
    settings.quitAfter = 4.0;
    GKRandomSource::sharedRandom().seed(kSeed);
    std::string windowed;
    {
        WindowHost host;
        ASSERT_TRUE(host.open({375, 667}, true)) << err.str();
        Recorder recorder(recording, kSeed, {375, 667});
        std::thread player(play);
        windowed = run(host, settings, {}, clock, true, &recorder);
        player.join();
    }
    const std::string windowOut = out.str();
    EXPECT_NE(windowOut.find("El toque"), std::string::npos);

    // Start afresh, as a new process would, and replay the recording headless.
    out.str("");
    NSRunLoop::mainRunLoop().invalidateAll();
    VirtualClock replayClock;
    Clock::install(&replayClock);
    std::string problem;
    const auto script = Script::load(recording, problem);
    ASSERT_TRUE(script) << problem;
    ASSERT_EQ(script->seed(), kSeed);
    GKRandomSource::sharedRandom().seed(*script->seed());
    HeadlessHost host;
    const std::string headless =
        run(host, HostLoop::Settings::headless(), script->events(), replayClock, false, nullptr);
    Clock::install(&clock);

    EXPECT_EQ(out.str(), windowOut) << readFile(recording);
    EXPECT_EQ(headless, windowed) << readFile(recording);
    const std::string session = readFile(recording);
    for (const char* verb : {" tap ", " taps ", " look ", " resize ", " quit"}) {
        EXPECT_NE(session.find(verb), std::string::npos) << verb << "\n" << session;
    }
}

}  // namespace
}  // namespace rovuzu
