#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/host/sdl/WindowHost.hpp"
#include "tests/support/Program.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

constexpr std::uint32_t kSeed = 7;

// What the player does, as SDL would report it, pushed from another thread while the window
// runs: a click, a right-drag, a held arrow key, two fingers landing together (two events, so
// two touches) and a resize.
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

    // The whole run in a session: launch, host, report; then everything is let go of.
    template <class Host>
    std::string run(Host& host, HostSession::Plan plan) {
        HostSession session(std::move(plan), &audio);
        EXPECT_TRUE(session.launch());
        host.run(session);
        return session.report();
    }
};

TEST_F(WindowRecordTest, ARecordedWindowSessionReplaysHeadlessToTheSameOutputAndReport) {
    const auto recording = bundle / "session.txt";
    HostSession::Plan plan;
    plan.seed = kSeed;
    plan.autoplay = true;
    plan.record = recording;
    plan.settings.quitAfter = 4.0;
    std::string windowed;
    {
        WindowHost host;
        ASSERT_TRUE(host.open({375, 667}, true)) << err.str();
        std::thread player(play);
        windowed = run(host, plan);
        player.join();
    }
    const std::string windowOut = out.str();
    EXPECT_NE(windowOut.find("El toque"), std::string::npos);

    // Start afresh, as a new process would, and replay the recording headless.
    out.str("");
    NSRunLoop::mainRunLoop().invalidateAll();
    std::string problem;
    auto script = Script::load(recording, problem);
    ASSERT_TRUE(script) << problem;
    ASSERT_EQ(script->seed(), kSeed);
    HostSession::Plan replay;
    replay.script = std::move(*script);
    replay.settings = HostSession::Settings::headless();
    HeadlessHost host;
    const std::string headless = run(host, replay);

    EXPECT_EQ(out.str(), windowOut) << readFile(recording);
    EXPECT_EQ(headless, windowed) << readFile(recording);
    const std::string session = readFile(recording);
    for (const char* verb : {" tap ", " orient ", " resize ", " quit"}) {
        EXPECT_NE(session.find(verb), std::string::npos) << verb << "\n" << session;
    }
    EXPECT_GE(std::count(windowOut.begin(), windowOut.end(), '\n'), 3)
        << "the click and each finger: every touch event prints its line";
}

}  // namespace
}  // namespace rovuzu
