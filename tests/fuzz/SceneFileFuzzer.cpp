// The scene file: whatever Scene.sks holds, loading it gives a scene or nothing. Nothing comes
// with one diagnostic line naming the file; a scene comes without any, and can be presented,
// tapped and run for a frame like the game's own.

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "tests/fuzz/CapturedConsole.hpp"
#include "tests/fuzz/FuzzBundle.hpp"
#include "tests/fuzz/Require.hpp"

namespace rovuzu {
namespace {

struct Harness {
    FuzzBundle bundle{"scene-file"};
    CapturedConsole console;
};

Harness& harness() {
    static Harness instance;
    return instance;
}

void present(std::shared_ptr<SKScene> scene) {
    ARSKView view(CGRect{{0.0, 0.0}, {375.0, 667.0}});
    view.presentScene(std::move(scene));
    view.session().runWithConfiguration({}, ARSessionRunOptions::none);
    view.stepFrame(0.0);
    view.touchesBegan({UITouch{{187.5, 333.5}, &view}});
    view.stepFrame(1.0 / 60.0);
    // A presented game scene has scheduled its spawn timer, which holds the scene.
    NSRunLoop::mainRunLoop().invalidateAll();
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
    bundle.write("Scene.sks", data, size);
    console.clear();
    auto scene = rovuzu::SKScene::nodeWithFileNamed("Scene");
    if (!scene) {
        require(console.diagnosticLines() == 1, "a refused scene file gives one diagnostic line");
        require(console.eachDiagnosticNames("Scene.sks"), "the diagnostic names the scene file");
        return 0;
    }
    require(console.diagnosticLines() == 0, "an accepted scene file gives no diagnostic");
    const rovuzu::CGSize sceneSize = scene->size();
    require(std::isfinite(sceneSize.width) && std::isfinite(sceneSize.height) &&
                sceneSize.width >= 0.0 && sceneSize.height >= 0.0,
            "an accepted scene has a finite size that is not negative");
    rovuzu::present(std::move(scene));
    return 0;
}
