#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/foundation/NSTimer.hpp"
#include "platform/simd/simd.hpp"
#include "platform/spritekit/SKAction.hpp"
#include "platform/spritekit/SKAudioNode.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

// One round of the game. Every spawnInterval a target is placed at a random point 1.5 m from
// where tracking began; the player taps targets away; when all maxTargets have been placed and
// none is left, the round ends with a game-over picture and the round's whole seconds.
class Scene : public SKScene {
  public:
    static constexpr std::int64_t maxTargets = 25;
    static constexpr double spawnInterval = 3.0;

    Scene();
    explicit Scene(CGSize size);
    explicit Scene(const NSCoder& coder);

    // Live targets: placed minus hit. Setting it keeps the HUD label's text in step.
    [[nodiscard]] std::int64_t targetCount() const { return targetCount_; }
    void setTargetCount(std::int64_t count);
    // Targets placed this round; it only grows, up to maxTargets.
    [[nodiscard]] std::int64_t targetsCreated() const { return targetsCreated_; }
    void setTargetsCreated(std::int64_t count) { targetsCreated_ = count; }

    [[nodiscard]] const std::shared_ptr<SKLabelNode>& remainingLabel() const {
        return remainingLabel_;
    }
    [[nodiscard]] const std::shared_ptr<NSTimer>& timer() const { return timer_; }
    [[nodiscard]] const SKAction& deathSound() const { return deathSound_; }
    [[nodiscard]] const std::shared_ptr<SKAudioNode>& backgroundMusic() const {
        return backgroundMusic_;
    }
    // Monotonic seconds at which the scene was made; the round's time counts from here.
    [[nodiscard]] double startTime() const { return startTime_; }

    void didMoveToView(SKView& view) override;
    // The view's frame changed (a phone turned, a window resized): the labels are placed again
    // by the same rules as at first, from the new frame.
    void didChangeSize(CGSize oldSize) override;
    void touchesBegan(const std::vector<UITouch>& touches) override;
    void update(double /*currentTime*/) override {}
    void encodeWithCoder(NSCoder& coder) const override;
    // The round is over once the game-over picture shows.
    [[nodiscard]] bool hasEnded() const override;

    // Where a target goes for two draws in [0, 1): start 1.5 m along -z, turn about y by the
    // second draw's angle, then about x by the first's; M = (Rx · Ry) · T.
    static simd_float4x4 anchorTransform(float firstDraw, float secondDraw);

    void setUpRound(SKView& view);
    void spawnTarget();
    void handleTouches(const std::vector<UITouch>& touches);
    void endGame();

  private:
    void placeRemainingLabel(const SKView& view);
    static void placeElapsedLabel(SKLabelNode& label, const SKView& view);
    // A target that the player can still hit: a node the AR view made for an anchor, and not
    // already on its way out.
    [[nodiscard]] bool isLiveTarget(const SKNode& node) const;
    [[nodiscard]] std::shared_ptr<SKNode> frontLiveTarget(CGPoint point) const;
    [[nodiscard]] std::int64_t liveTargets() const;

    std::shared_ptr<SKLabelNode> remainingLabel_ = std::make_shared<SKLabelNode>();
    std::shared_ptr<NSTimer> timer_;
    std::int64_t targetsCreated_ = 0;
    std::int64_t targetCount_ = 0;
    SKAction deathSound_ = SKAction::playSoundFileNamed("QuickDeath", false);
    std::shared_ptr<SKAudioNode> backgroundMusic_;
    double startTime_;
};

}  // namespace rovuzu
