// Scripts, played: every script the reader accepts plays headless through the program's entry
// path (a launch from the game's own resources, the frame loop, the headless host on a virtual
// clock) for its first four virtual seconds, with the autoplayer on for odd seeds, and ends
// with a report; nothing may crash, leak or hang, and the application lets its timers go.
// Screenshots are left out: they would write files wherever the input says.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "tests/fuzz/CapturedConsole.hpp"
#include "tests/fuzz/FuzzBundle.hpp"
#include "tests/fuzz/Require.hpp"

namespace rovuzu {
namespace {

constexpr double kPlayTime = 4.0;  // past the first spawn tick, at 3 s

struct Harness {
    Harness() { bundle.copyGameResources(); }

    FuzzBundle bundle{"script-run"};
    CapturedConsole console;
};

Harness& harness() {
    static Harness instance;
    return instance;
}

void play(std::vector<InputEvent> events, std::uint32_t seed) {
    VirtualClock clock;
    Clock::install(&clock);
    GKRandomSource::sharedRandom().seed(seed);
    {
        UIApplication application;
        require(application.launch("AppDelegate", {375.0, 667.0}), "the game's resources launch");
        FrameLoop loop(application, seed % 2 == 1, nullptr);
        HostLoop::Settings settings = HostLoop::Settings::headless();
        settings.quitAfter = kPlayTime;
        HostLoop host(application, loop, settings, std::move(events), clock);
        const double end = HeadlessHost{}.run(host);
        require(!Report::build(end, loop.view()).empty(), "a run ends with a report");
        application.terminate();
    }
    Clock::install(nullptr);
    require(NSRunLoop::mainRunLoop().timerCount() == 0, "terminating stops every timer");
}

}  // namespace
}  // namespace rovuzu

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    rovuzu::harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    auto script = rovuzu::Script::parse(text, problem);
    if (!script) {
        return 0;
    }
    std::vector<rovuzu::InputEvent> events = script->events();
    std::erase_if(events, [](const rovuzu::InputEvent& event) {
        return event.verb == rovuzu::InputEvent::Verb::screenshot;
    });
    rovuzu::play(std::move(events), script->seed().value_or(0));
    return 0;
}
