// A launch resource (the app configuration or the main interface, named by
// ROVUZU_FUZZED_FILE): whatever the file holds, with every other resource the game's own,
// launching either starts the application with its window, root screen and view, or refuses
// with one diagnostic line; terminating then lets everything go.

#include <cstddef>
#include <cstdint>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "tests/fuzz/CapturedConsole.hpp"
#include "tests/fuzz/FuzzBundle.hpp"
#include "tests/fuzz/Require.hpp"

namespace rovuzu {
namespace {

struct Harness {
    Harness() { bundle.copyGameResources(); }

    FuzzBundle bundle{"launch"};
    CapturedConsole console;
};

Harness& harness() {
    static Harness instance;
    return instance;
}

bool windowIsComplete(const UIApplication& application) {
    const auto& window = application.keyWindow();
    return window && window->isVisible() && window->rootViewController() &&
           window->rootViewController()->view();
}

}  // namespace
}  // namespace rovuzu

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    rovuzu::harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using rovuzu::require;
    auto& [bundle, console] = rovuzu::harness();
    bundle.write(ROVUZU_FUZZED_FILE, data, size);
    console.clear();
    {
        rovuzu::UIApplication application;
        if (application.launch("AppDelegate", {375.0, 667.0})) {
            require(rovuzu::windowIsComplete(application),
                    "a launch that succeeds shows a whole window");
        } else {
            require(console.diagnosticLines() == 1, "a refused launch gives one diagnostic line");
            require(!application.keyWindow(), "a refused launch makes no window");
        }
        application.terminate();
    }
    require(rovuzu::NSRunLoop::mainRunLoop().timerCount() == 0, "terminating stops every timer");
    return 0;
}
