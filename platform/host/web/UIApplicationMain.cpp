#include "platform/uikit/UIApplicationMain.hpp"

#include <emscripten/emscripten.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <variant>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/web/Page.hpp"
#include "platform/host/web/PageHost.hpp"
#include "platform/world/BuiltInWorld.hpp"
#include "platform/world/PictureArchive.hpp"

namespace rovuzu {

namespace {

// Where the page's packed files are, and where it puts a script it fetched for ?script=.
constexpr const char* kResources = "/resources";
constexpr const char* kFetchedScript = "/page/script";

std::unique_ptr<PageHost>& pageHost() {
    static std::unique_ptr<PageHost> host;
    return host;
}

// A refusal: said on stderr and on the page, which then offers no start. Loading the page
// again would only say it again.
void refuse(const std::string& problem) {
    diagnose(problem);
    rovuzu_page_cannot_start(("rovuzu: " + problem).c_str(), 0);
}

std::optional<Script> fetchedScript(const Options& options) {
    if (!options.script) {
        return Script{};
    }
    const std::string name = options.script->string();
    std::ifstream in(kFetchedScript);
    if (!in) {
        refuse(name + ": cannot be fetched from next to the page");
        return std::nullopt;
    }
    std::stringstream text;
    text << in.rdbuf();
    std::string problem;
    auto script = Script::parse(text.str(), problem);
    if (!script) {
        refuse(name + ": " + problem);
    }
    return script;
}

}  // namespace

// The browser owns the loop: this reads the page's address, readies the game and returns; the
// start tap launches the application (rovuzu_start), and animation frames run it from then on.
int UIApplicationMain(int /*argc*/, char** /*argv*/, const char* /*principalClassName*/,
                      const std::string& delegateClassName) {
    const std::unique_ptr<char, decltype(&std::free)> query{rovuzu_page_query(), &std::free};
    const auto parsed = PageOptions::parse(query ? query.get() : "");
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        refuse(*problem);
        return 0;
    }
    const auto& page = std::get<PageOptions>(parsed);
    auto script = fetchedScript(page.options);
    if (!script) {
        return 0;
    }
    NSBundle::setMainBundlePath(kResources);
    auto host = std::make_unique<PageHost>(page, std::move(*script), delegateClassName);
    if (!host->openCanvas()) {
        rovuzu_page_cannot_start("Este navegador no puede mostrar el juego: no tiene WebGL.", 1);
        return 0;
    }
    // The room's textures take a while to paint: before the start tap, not after it, in slices
    // between which the page answers. The start is offered once they are done; the start
    // screen is on the page before the game has even loaded.
    pageHost() = std::move(host);
    pageHost()->prepareWorld();
    return 0;
}

}  // namespace rovuzu

// What the page calls.
extern "C" {

EMSCRIPTEN_KEEPALIVE int rovuzu_start() {
    const auto& host = rovuzu::pageHost();
    return host && host->start() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE int rovuzu_restart() {
    const auto& host = rovuzu::pageHost();
    return host && host->restart() ? 1 : 0;
}

EMSCRIPTEN_KEEPALIVE void rovuzu_orientation(double alpha, double beta, double gamma,
                                             double screenAngle) {
    if (const auto& host = rovuzu::pageHost()) {
        host->sense({alpha, beta, gamma, screenAngle});
    }
}

// Where the page writes a WebXR frame's view before rovuzu_xr_frame.
EMSCRIPTEN_KEEPALIVE rovuzu::XrView* rovuzu_xr_view() {
    static rovuzu::XrView view;
    return &view;
}

EMSCRIPTEN_KEEPALIVE void rovuzu_xr_frame(double time) {
    if (const auto& host = rovuzu::pageHost()) {
        host->xrFrame(time, *rovuzu_xr_view());
    }
}

EMSCRIPTEN_KEEPALIVE void rovuzu_xr_select(double x, double y, double z, double dx, double dy,
                                           double dz) {
    if (const auto& host = rovuzu::pageHost()) {
        host->xrSelect({x, y, z}, {dx, dy, dz});
    }
}

EMSCRIPTEN_KEEPALIVE void rovuzu_xr_ended() {
    if (const auto& host = rovuzu::pageHost()) {
        host->xrEnded();
    }
}

// What a worker beside the page runs, on an instance of its own with no game, while the page
// sets itself up: the room's pictures painted whole and handed over as the page keeps them.
EMSCRIPTEN_KEEPALIVE void rovuzu_paint_room() {
    const rovuzu::BuiltInWorld world;
    const std::vector<std::uint8_t> bytes = rovuzu::PictureArchive::pack(world.textures());
    rovuzu_room_save(bytes.data(), static_cast<int>(bytes.size()));
}

// The run's report as JSON, valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* rovuzu_report() {
    static std::string report;
    const auto& host = rovuzu::pageHost();
    report = host ? host->report() : std::string{"{}"};
    return report.c_str();
}
}
