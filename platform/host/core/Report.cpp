#include "platform/host/core/Report.hpp"

#include <fstream>
#include <glm/gtc/type_ptr.hpp>
#include <vector>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

namespace {

// What a scene that has no state of its own (or no scene at all) reports.
void encodeNoRound(NSCoder& coder) {
    coder.encodeInt64(0, "targetsCreated");
    coder.encodeInt64(0, "targetCount");
    coder.encodeNullForKey("hudText");
    coder.encodeBool(false, "hudAttached");
    coder.encodeBool(false, "gameOver");
    coder.encodeNullForKey("elapsedText");
    coder.encodeInt64(0, "liveTargets");
    coder.encodeBool(false, "timerRunning");
}

void encodeSession(NSCoder& coder, const ARSKView* arView) {
    std::vector<std::vector<float>> transforms;
    if (arView != nullptr) {
        for (const auto& anchor : arView->session().anchors()) {
            const float* values = glm::value_ptr(anchor->transform());
            transforms.emplace_back(values, values + 16);  // column-major, as stored
        }
    }
    coder.encodeInt64(static_cast<std::int64_t>(transforms.size()), "anchors");
    coder.encodeFloatRows(transforms, "anchorTransforms");
    coder.encodeBool(arView != nullptr && arView->session().isRunning(), "sessionRunning");
}

}  // namespace

std::string Report::build(double time, const SKView* view) {
    NSCoder coder;
    coder.encodeDouble(time, "time");
    encodeNoRound(coder);
    if (view != nullptr && view->scene()) {
        view->scene()->encodeWithCoder(coder);
    }
    encodeSession(coder, dynamic_cast<const ARSKView*>(view));
    return coder.JSONString();
}

bool Report::write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file);
    out << text << '\n';
    out.close();
    if (!out) {
        diagnose(file.string() + ": cannot write the report");
        return false;
    }
    return true;
}

}  // namespace rovuzu
