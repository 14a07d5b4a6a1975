#include "tools/soak/RoundOracle.hpp"

#include <algorithm>
#include <cmath>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/foundation/NumberText.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/core/Stage.hpp"
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

Scene* sceneOf(const Stage& stage) {
    const ARSKView* view = stage.arView();
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

bool RoundOracle::isLive(const SKNode& node, const Stage& stage) const {
    const ARSKView* view = stage.arView();
    return view != nullptr && node.parent() == view->scene().get() &&
           view->anchorForNode(node) != nullptr && !hits_.contains(&node);
}

std::vector<std::shared_ptr<ARAnchor>> RoundOracle::liveAnchors(const Stage& stage) const {
    std::vector<std::shared_ptr<ARAnchor>> live;
    if (const ARSKView* view = stage.arView()) {
        for (const auto& anchor : view->session().anchors()) {
            const auto node = view->nodeForAnchor(*anchor);
            if (node && isLive(*node, stage)) {
                live.push_back(anchor);
            }
        }
    }
    return live;
}

void RoundOracle::expect(const TimedInput* event, const ARAnchor* aimedAt,
                         const UIApplication& application, const Stage& stage) {
    predicted_.reset();
    const auto* touches = event != nullptr ? std::get_if<input::Touches>(&event->input) : nullptr;
    const bool touch = touches != nullptr && !touches->points.empty();
    const SKScene* scene = stage.arView() != nullptr ? stage.arView()->scene().get() : nullptr;
    if (!touch || scene == nullptr || !isShown(application)) {
        return;
    }
    ++expectedLines_;
    ++figures_.taps;
    const CGPoint at = scene->convertPointFromView(touches->points.front());
    for (const auto& node : scene->nodesAtPoint(at)) {
        if (isLive(*node, stage)) {
            predicted_ = node;
            break;
        }
    }
    if (aimedAt != nullptr) {
        const auto aimedNode = stage.arView()->nodeForAnchor(*aimedAt);
        if (aimedNode && isLive(*aimedNode, stage)) {
            ++figures_.aimedTaps;
            context_ = "at " + Script::format(*event).value_or("");
            require(predicted_ != nullptr, "a tap at the live target the player faces hits");
        }
    }
}

void RoundOracle::check(double now, const TimedInput* event, std::int64_t linesPrinted,
                        std::int64_t soundsPlayed, const UIApplication& application,
                        const Stage& stage) {
    ++figures_.steps;
    context_ = "at " + describeDouble(now) +
               (event != nullptr ? " after '" + Script::format(*event).value_or("") + "'" : "");
    const Scene* scene = sceneOf(stage);
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
    checkCounts(now, *scene, stage);
    checkAnchors(*scene, report, shown, stage);
    checkEnding(*scene, report);
    checkFading(now, shown);
    require(linesPrinted == expectedLines_, "one debug line per touch event delivered");
    require(soundsPlayed == hitCount_, "one hit sound per hit, as it is hit");
    require(stage.arView()->session().isRunning() == shown,
            "tracking runs while the view is shown");
}

// The hit that leaves none of the 25 ends the round (every one was placed before it was hit).
void RoundOracle::recordHit(double now) {
    ++hitCount_;
    ++figures_.hits;
    if (hitCount_ == Scene::maxTargets) {
        endTime_ = now;
    }
}

void RoundOracle::checkCounts(double now, const Scene& scene, const Stage& stage) {
    const std::int64_t created = scene.targetsCreated();
    const auto ticks = static_cast<std::int64_t>(std::floor(now / Scene::spawnInterval));
    require(created >= 0 && created <= Scene::maxTargets, "0 <= targetsCreated <= 25");
    require(created == std::min(ticks, Scene::maxTargets), "one target per spawn tick, 25 at most");
    require(scene.targetCount() == created - hitCount_, "targetCount is placed minus hit");
    require(static_cast<std::int64_t>(stage.arView()->session().anchors().size()) == created,
            "one anchor per placed target");
    const bool ticking = scene.timer() && scene.timer()->isValid();
    require(ticking == (now < kLastTick), "the spawn timer runs until its 26th tick, at 78 s");
}

void RoundOracle::checkAnchors(const Scene& scene, const NSCoder& report, bool shown,
                               const Stage& stage) {
    const ARSKView& view = *stage.arView();
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
        live += node && isLive(*node, stage) ? 1 : 0;
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
