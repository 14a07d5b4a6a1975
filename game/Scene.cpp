#include "game/Scene.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "platform/arkit/ARAnchor.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/CGGeometry.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/foundation/NumberText.hpp"
#include "platform/foundation/ProcessInfo.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/simd/simd.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/spritekit/SKView.hpp"
#include "platform/uikit/UIColor.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(SKNode, Scene)

namespace {

constexpr double kHudFontSize = 30.0;
constexpr const char* kHudFontName = "Avenir Next";
constexpr double kHudDrop = 50.0;        // HUD label: this far below the view's middle y
constexpr float kFullTurn = 6.283185F;   // just under 2π, so a draw of 1 would not wrap
constexpr float kTargetDistance = 1.5F;  // metres from the world origin
constexpr double kHitScale = 2.0;
constexpr double kHitDuration = 0.4;
constexpr const char* kHitKey = "hit";  // marks a target already hit
constexpr double kElapsedFontSize = 40.0;
constexpr double kEdgeOffset = 50.0;
constexpr const char* kGameOverName = "gameover";
constexpr const char* kElapsedName = "elapsedTime";

std::string hudText(std::int64_t count) {
    return "Faltan: " + std::to_string(count);
}

std::string touchLine(CGPoint point) {
    return "El toque ha sido en: (" + describeDouble(point.x) + ", " + describeDouble(point.y) +
           ")";
}

// Whole seconds, truncated toward zero; a value no round can reach is pinned to the range.
std::int64_t wholeSeconds(double seconds) {
    constexpr double kLimit = 9.0e18;
    if (!std::isfinite(seconds)) {
        return 0;
    }
    return static_cast<std::int64_t>(std::trunc(std::clamp(seconds, -kLimit, kLimit)));
}

// The hit: grow and fade out together while the death sound starts, then leave the scene.
SKAction hitSequence(const SKAction& deathSound) {
    const SKAction grow = SKAction::scaleTo(kHitScale, kHitDuration);
    const SKAction fade = SKAction::fadeOutWithDuration(kHitDuration);
    const SKAction removal = SKAction::removeFromParent();
    const SKAction together = SKAction::group({grow, fade, deathSound});
    return SKAction::sequence({together, removal});
}

}  // namespace

// Every initialiser starts the round's clock and gives each property its default (in the
// class definition); nothing else happens until the scene is presented.
Scene::Scene() : startTime_(ProcessInfo::systemUptime()) {}
Scene::Scene(CGSize size) : SKScene(size), startTime_(ProcessInfo::systemUptime()) {}
Scene::Scene(const NSCoder& coder) : SKScene(coder), startTime_(ProcessInfo::systemUptime()) {}

void Scene::setTargetCount(std::int64_t count) {
    targetCount_ = count;
    remainingLabel_->setText(hudText(count));
}

void Scene::didMoveToView(SKView& view) {
    setUpRound(view);
}

void Scene::touchesBegan(const std::vector<UITouch>& touches) {
    handleTouches(touches);
}

// Presenting the scene starts the round: the HUD label near the top of the view, the spawn
// timer, and the music when there is any.
void Scene::setUpRound(SKView& view) {
    remainingLabel_->setFontSize(kHudFontSize);
    remainingLabel_->setFontName(kHudFontName);
    remainingLabel_->setColor(UIColor::whiteColor());
    placeRemainingLabel(view);
    addChild(remainingLabel_);
    setTargetCount(0);

    // The timer's block holds the scene, so the round runs on even if the view lets the scene
    // go; the cycle ends when spawnTarget invalidates the timer after the last target.
    const auto self = std::static_pointer_cast<Scene>(shared_from_this());
    timer_ = NSTimer::scheduledTimerWithTimeInterval(
        spawnInterval, true, [self](NSTimer& /*timer*/) { self->spawnTarget(); });

    if (const auto music = NSBundle::mainBundle().URLForResource("rovuzu", "mp3")) {
        backgroundMusic_ = std::make_shared<SKAudioNode>(*music);
        addChild(backgroundMusic_);
    } else {
        diagnose("rovuzu.mp3: not found; the round plays without music");
    }
}

// One tick of the spawn timer: past the cap it stops the timer; otherwise it counts a target
// and, when an AR view presents the scene, anchors it at a random direction on the sphere of
// 1.5 m around the world origin. The AR view then asks for the target's sprite.
void Scene::spawnTarget() {
    if (targetsCreated_ == maxTargets) {
        if (timer_) {
            timer_->invalidate();
        }
        timer_.reset();
        return;
    }
    ++targetsCreated_;
    setTargetCount(targetCount_ + 1);

    auto* arView = dynamic_cast<ARSKView*>(view());
    if (arView == nullptr) {
        return;
    }
    GKRandomSource& random = GKRandomSource::sharedRandom();
    const float firstDraw = random.nextUniform();
    const float secondDraw = random.nextUniform();
    const simd_float4x4 transform = anchorTransform(firstDraw, secondDraw);
    arView->session().addAnchor(std::make_shared<ARAnchor>(transform));
}

simd_float4x4 Scene::anchorTransform(float firstDraw, float secondDraw) {
    const float aboutX = firstDraw * kFullTurn;
    const float aboutY = secondDraw * kFullTurn;
    const simd_float4x4 rotationX =
        simd_float4x4FromSCNMatrix4(SCNMatrix4MakeRotation(aboutX, 1, 0, 0));
    const simd_float4x4 rotationY =
        simd_float4x4FromSCNMatrix4(SCNMatrix4MakeRotation(aboutY, 0, 1, 0));
    simd_float4x4 translation = matrix_identity_float4x4;
    translation[3][2] = -kTargetDistance;
    return (rotationX * rotationY) * translation;
}

// A tap: one debug line per touch event, whatever it finds; then the front-most live target
// under the touch, if any, is hit. Counting down happens at once, not when the animation ends,
// and the round ends with the hit that leaves no target once all have been placed.
void Scene::handleTouches(const std::vector<UITouch>& touches) {
    if (touches.empty()) {
        return;
    }
    const CGPoint location = touches.front().locationInNode(*this);
    print(touchLine(location));

    const auto target = frontLiveTarget(location);
    if (!target) {
        return;
    }
    target->runAction(hitSequence(deathSound_), kHitKey);
    setTargetCount(targetCount_ - 1);
    if (targetsCreated_ == maxTargets && targetCount_ == 0) {
        endGame();
    }
}

// The HUD label's place: 50 below the middle of the view's frame, in scene units (two a point),
// which puts it near the top of the view.
void Scene::placeRemainingLabel(const SKView& view) {
    remainingLabel_->setPosition({0.0, CGRectGetMidY(view.frame()) - kHudDrop});
}

// The elapsed-time label's place: its text ending 50 left of the view's right edge, so that it
// all shows, and 50 above the middle's mirror image, low in the view.
void Scene::placeElapsedLabel(SKLabelNode& label, const SKView& view) {
    const CGRect frame = view.frame();
    label.setPosition({CGRectGetMaxX(frame) - kEdgeOffset, kEdgeOffset - CGRectGetMidY(frame)});
}

// A turned phone or a resized window must not leave a label where the old frame put it: half
// out of the view, or cut off at its top.
void Scene::didChangeSize(CGSize /*oldSize*/) {
    const SKView* presenting = view();
    if (presenting == nullptr) {
        return;
    }
    if (remainingLabel_->parent() != nullptr) {
        placeRemainingLabel(*presenting);
    }
    if (const auto label =
            std::dynamic_pointer_cast<SKLabelNode>(childNodeWithName(kElapsedName))) {
        placeElapsedLabel(*label, *presenting);
    }
}

// The round is over: the HUD goes, the game-over picture comes, and a label tells the round's
// whole seconds, its text ending 50 points left of the view's right edge so it all shows.
void Scene::endGame() {
    remainingLabel_->removeFromParent();

    auto picture = std::make_shared<SKSpriteNode>("gameover");
    picture->setName(kGameOverName);
    addChild(picture);

    const double elapsed = ProcessInfo::systemUptime() - startTime_;
    auto label = SKLabelNode::labelNodeWithText(
        "Te ha llevado: " + std::to_string(wholeSeconds(elapsed)) + " segundos");
    label->setFontSize(kElapsedFontSize);
    label->setColor(UIColor::whiteColor());
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    if (const SKView* presenting = view()) {
        placeElapsedLabel(*label, *presenting);
    }
    label->setName(kElapsedName);
    addChild(label);
}

bool Scene::isLiveTarget(const SKNode& node) const {
    const auto* arView = dynamic_cast<const ARSKView*>(view());
    return arView != nullptr && arView->anchorForNode(node) != nullptr &&
           !node.actionForKey(kHitKey);
}

std::shared_ptr<SKNode> Scene::frontLiveTarget(CGPoint point) const {
    for (const auto& node : nodesAtPoint(point)) {
        if (isLiveTarget(*node)) {
            return node;
        }
    }
    return nullptr;
}

std::int64_t Scene::liveTargets() const {
    std::int64_t live = 0;
    for (const auto& child : children()) {
        live += isLiveTarget(*child) ? 1 : 0;
    }
    return live;
}

bool Scene::hasEnded() const {
    return childNodeWithName(kGameOverName) != nullptr;
}

void Scene::encodeWithCoder(NSCoder& coder) const {
    coder.encodeInt64(targetsCreated_, "targetsCreated");
    coder.encodeInt64(targetCount_, "targetCount");
    coder.encodeString(remainingLabel_->text(), "hudText");
    coder.encodeBool(remainingLabel_->parent() != nullptr, "hudAttached");
    coder.encodeBool(hasEnded(), "gameOver");
    if (const auto label =
            std::dynamic_pointer_cast<SKLabelNode>(childNodeWithName(kElapsedName))) {
        coder.encodeString(label->text(), "elapsedText");
    } else {
        coder.encodeNullForKey("elapsedText");
    }
    coder.encodeInt64(liveTargets(), "liveTargets");
    coder.encodeBool(timer_ && timer_->isValid(), "timerRunning");
}

}  // namespace rovuzu
