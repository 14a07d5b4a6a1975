#include "tools/soak/RoundOracle.hpp"

#include <algorithm>
#include <cmath>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/foundation/NumberText.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

namespace {

constexpr double kFadeTime = 0.4;
constexpr double kLastTick = Scene::spawnInterval * static_cast<double>(Scene::maxTargets + 1);

bool isShown(const UIApplication& application) {
    const auto& window = application.keyWindow();
    return window && window->isVisible();
}

Scene* sceneOf(const FrameLoop& loop) {
    const ARSKView* view = loop.arView();
    return view != nullptr ? dynamic_cast<Scene*>(view->scene().get()) : nullptr;
}

// Game-over pictures in the scene: there must never be more than one.
std::int64_t gameOverPictures(const Scene& scene) {
    return std::count_if(scene.children().begin(), scene.children().end(), [](const auto& child) {
        const auto* sprite = dynamic_cast<const SKSpriteNode*>(child.get());
        return sprite != nullptr && sprite->texture()->name() == "gameover";
    });
}

}  // namespace

RoundOracle::RoundOracle(std::string round, SoakFigures& figures)
    : round_(std::move(round)), figures_(figures) {}

bool RoundOracle::require(bool holds, const std::string& what) {
    ++figures_.checks;
    if (!holds) {
        figures_.fail(round_ + ", " + context_ + ": " + what);
    }
    return holds;
}

bool RoundOracle::isLive(const SKNode& node, const FrameLoop& loop) const {
    const ARSKView* view = loop.arView();
    return view != nullptr && node.parent() == view->scene().get() &&
           view->anchorForNode(node) != nullptr && !hits_.contains(&node);
}

std::vector<std::shared_ptr<ARAnchor>> RoundOracle::liveAnchors(const FrameLoop& loop) const {
    std::vector<std::shared_ptr<ARAnchor>> live;
    if (const ARSKView* view = loop.arView()) {
        for (const auto& anchor : view->session().anchors()) {
            const auto node = view->nodeForAnchor(*anchor);
            if (node && isLive(*node, loop)) {
                live.push_back(anchor);
            }
        }
    }
    return live;
}

void RoundOracle::expect(const InputEvent* event, const ARAnchor* aimedAt,
                         const UIApplication& application, const FrameLoop& loop) {
    predicted_.reset();
    const bool touch = event != nullptr && (event->verb == InputEvent::Verb::tap ||
                                            event->verb == InputEvent::Verb::taps);
    const SKScene* scene = loop.arView() != nullptr ? loop.arView()->scene().get() : nullptr;
    if (!touch || scene == nullptr || !isShown(application)) {
        return;
    }
    ++expectedLines_;
    ++figures_.taps;
    const CGPoint at = scene->convertPointFromView({event->values[0], event->values[1]});
    for (const auto& node : scene->nodesAtPoint(at)) {
        if (isLive(*node, loop)) {
            predicted_ = node;
            break;
        }
    }
    if (aimedAt != nullptr) {
        const auto aimedNode = loop.arView()->nodeForAnchor(*aimedAt);
        if (aimedNode && isLive(*aimedNode, loop)) {
            ++figures_.aimedTaps;
            context_ = "at " + Script::format(*event);
            require(predicted_ != nullptr, "a tap at the live target the player faces hits");
        }
    }
}

void RoundOracle::check(double now, const InputEvent* event, std::int64_t linesPrinted,
                        std::int64_t soundsPlayed, const UIApplication& application,
                        const FrameLoop& loop) {
    ++figures_.steps;
    context_ = "at " + describeDouble(now) +
               (event != nullptr ? " after '" + Script::format(*event) + "'" : "");
    const Scene* scene = sceneOf(loop);
    if (!require(scene != nullptr, "the AR view presents the game scene")) {
        return;
    }
    if (predicted_) {
        hits_[predicted_.get()] = {predicted_, now};
        predicted_.reset();
        recordHit(now);
    }
    const bool shown = isShown(application);
    NSCoder report;
    scene->encodeWithCoder(report);
    checkCounts(now, *scene, loop);
    checkAnchors(*scene, report, shown, loop);
    checkEnding(*scene, report);
    checkFading(now, shown);
    require(linesPrinted == expectedLines_, "one debug line per touch event delivered");
    require(soundsPlayed == hitCount_, "one hit sound per hit, as it is hit");
    require(loop.arView()->session().isRunning() == shown, "tracking runs while the view is shown");
}

// The hit that leaves none of the 25 ends the round (every one was placed before it was hit).
void RoundOracle::recordHit(double now) {
    ++hitCount_;
    ++figures_.hits;
    if (hitCount_ == Scene::maxTargets) {
        endTime_ = now;
    }
}

void RoundOracle::checkCounts(double now, const Scene& scene, const FrameLoop& loop) {
    const std::int64_t created = scene.targetsCreated();
    const auto ticks = static_cast<std::int64_t>(std::floor(now / Scene::spawnInterval));
    require(created >= 0 && created <= Scene::maxTargets, "0 <= targetsCreated <= 25");
    require(created == std::min(ticks, Scene::maxTargets), "one target per spawn tick, 25 at most");
    require(scene.targetCount() == created - hitCount_, "targetCount is placed minus hit");
    require(static_cast<std::int64_t>(loop.arView()->session().anchors().size()) == created,
            "one anchor per placed target");
    const bool ticking = scene.timer() && scene.timer()->isValid();
    require(ticking == (now < kLastTick), "the spawn timer runs until its 26th tick, at 78 s");
}

void RoundOracle::checkAnchors(const Scene& scene, const NSCoder& report, bool shown,
                               const FrameLoop& loop) {
    const ARSKView& view = *loop.arView();
    const bool making = shown && view.session().isRunning();
    std::int64_t live = 0;
    std::int64_t waiting = 0;
    for (const auto& anchor : view.session().anchors()) {
        const auto node = view.nodeForAnchor(*anchor);
        if (node && !given_.contains(anchor.get())) {
            require(making, "sprites are made only while the session runs and the view shows");
            given_.insert(anchor.get());
        }
        waiting += given_.contains(anchor.get()) ? 0 : 1;
        live += node && isLive(*node, loop) ? 1 : 0;
    }
    require(!making || waiting == 0, "a shown, running view gives every anchor its sprite");
    require(scene.targetCount() == live + waiting,
            "targetCount is the live targets plus the anchors without a sprite yet");
    require(report.decodeInt64ForKey("liveTargets") == live, "the report's liveTargets agrees");
}

void RoundOracle::checkEnding(const Scene& scene, const NSCoder& report) {
    const std::int64_t pictures = gameOverPictures(scene);
    require(pictures <= 1, "at most one game-over picture");
    require((pictures == 1) == roundOver(),
            "the round ends exactly when all 25 are placed and hit");
    require(report.decodeBoolForKey("gameOver") == roundOver(), "the report's gameOver agrees");
    require(report.decodeBoolForKey("hudAttached") == !roundOver(), "the HUD shows until the end");
    if (!roundOver()) {
        require(report.decodeStringForKey("hudText") ==
                    "Faltan: " + std::to_string(scene.targetCount()),
                "the HUD says how many are left");
        return;
    }
    const auto seconds = static_cast<std::int64_t>(std::trunc(*endTime_));
    require(report.decodeStringForKey("elapsedText") ==
                "Te ha llevado: " + std::to_string(seconds) + " segundos",
            "the game-over label gives the round's whole seconds");
}

// A hit target leaves the scene at the first shown frame 0.4 s after it was hit.
void RoundOracle::checkFading(double now, bool shown) {
    if (!shown) {
        return;
    }
    for (const auto& [address, hit] : hits_) {
        const auto node = hit.node.lock();
        if (node && now - hit.time >= kFadeTime) {
            require(node->parent() == nullptr, "a hit target leaves the scene after 0.4 s");
        }
    }
}

}  // namespace rovuzu
