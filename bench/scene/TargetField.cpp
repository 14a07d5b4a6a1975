#include "bench/scene/TargetField.hpp"

#include <cmath>
#include <glm/gtc/matrix_transform.hpp>
#include <string>

#include "platform/arkit/ARSKViewDelegate.hpp"
#include "platform/foundation/Clock.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/spritekit/SKAction.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"

namespace rovuzu {

namespace {

constexpr CGSize kViewSize{375.0, 667.0};
constexpr double kFrame = 1.0 / 60.0;
// Long enough that no hit sequence ends, and no node leaves, while a benchmark runs.
constexpr double kEndlessHit = 1.0e9;
constexpr std::size_t kPictures = 4;

// Makes each anchor's sprite as the game's view controller does: one of its four pictures.
class SpriteMaker final : public ARSKViewDelegate {
  public:
    std::shared_ptr<SKNode> viewNodeForAnchor(ARSKView& /*view*/,
                                              const ARAnchor& /*anchor*/) override {
        const std::size_t picture = made_++ % kPictures + 1;
        return std::make_shared<SKSpriteNode>("rovuzu" + std::to_string(picture));
    }

  private:
    std::size_t made_ = 0;
};

// The i-th anchor: on a spiral over the view, one to three metres away, so that every node
// shows and many overlap in the middle, where the hit test looks.
simd_float4x4 anchorTransform(std::size_t i) {
    const auto k = static_cast<float>(i);
    const float angle = k * 2.39996F;  // the golden angle spreads the spiral evenly
    const float reach = 0.5F * std::sqrt(std::fmod(k * 0.618034F, 1.0F));
    const float depth = 1.0F + 2.0F * std::fmod(k * 0.381966F, 1.0F);
    const simd_float3 at{reach * std::cos(angle) * depth * 0.5F, reach * std::sin(angle) * depth,
                         -depth};
    return glm::translate(simd_float4x4{1.0F}, at);
}

}  // namespace

TargetField::TargetField(std::size_t count)
    : view_(std::make_shared<ARSKView>(CGRect{{0.0, 0.0}, kViewSize})),
      scene_(std::make_shared<SKScene>()),
      maker_(std::make_shared<SpriteMaker>()) {
    Clock::install(&clock_);
    NSBundle::setMainBundlePath(ROVUZU_SOURCE_RESOURCES);
    scene_->setAnchorPoint({0.5, 0.5});
    view_->presentScene(scene_);
    view_->setDelegate(maker_);
    view_->session().runWithConfiguration({}, ARSessionRunOptions::none);
    addAnchors(count);
    stepFrame();
}

TargetField::~TargetField() {
    view_->presentScene(nullptr);
    Clock::install(nullptr);
}

void TargetField::addAnchors(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        view_->session().addAnchor(std::make_shared<ARAnchor>(anchorTransform(added_++)));
    }
}

void TargetField::hitAll() {
    const SKAction grow = SKAction::scaleTo(2.0, kEndlessHit);
    const SKAction fade = SKAction::fadeOutWithDuration(kEndlessHit);
    const SKAction hit =
        SKAction::sequence({SKAction::group({grow, fade}), SKAction::removeFromParent()});
    for (const auto& node : scene_->children()) {
        node->runAction(hit, "hit");
    }
}

void TargetField::turn() {
    const float yaw = 0.05F * std::sin(static_cast<float>(++turns_) * 0.1F);
    view_->session().setDevicePose(
        glm::rotate(simd_float4x4{1.0F}, yaw, simd_float3{0.0F, 1.0F, 0.0F}));
}

void TargetField::stepFrame() {
    clock_.advanceBy(kFrame);
    view_->stepFrame(clock_.monotonicNow());
}

}  // namespace rovuzu
