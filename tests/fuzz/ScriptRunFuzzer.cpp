// Scripts, played: every script the reader accepts plays headless through the program's entry
// path (a launch from the game's own resources, the host session, the headless host on its
// virtual clock) for its first four virtual seconds, with the autoplayer on for odd seeds, and ends
// with a report; nothing may crash, leak or hang, and the application lets its timers go.
// Screenshots are left out: they would write files wherever the input says.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
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

void play(Script script, std::uint32_t seed) {
    {
        HostSession::Plan plan;
        plan.seed = seed;
        plan.script = std::move(script);
        plan.autoplay = seed % 2 == 1;
        plan.settings = HostSession::Settings::headless();
        plan.settings.quitAfter = kPlayTime;
        HostSession session(std::move(plan), nullptr);
        require(session.launch(), "the game's resources launch");
        HeadlessHost{}.run(session);
        require(!session.report().empty(), "a run ends with a report");
    }
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
    std::vector<rovuzu::TimedInput> events = script->events();
    std::erase_if(events, [](const rovuzu::TimedInput& event) {
        return std::holds_alternative<rovuzu::input::Screenshot>(event.input);
    });
    const std::uint32_t seed = script->seed().value_or(0);
    rovuzu::play(rovuzu::Script{std::move(events)}, seed);
    return 0;
}
