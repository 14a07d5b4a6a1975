#include <functional>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "platform/arkit/ARSKView.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

// A window skips a frame whose key equals the last one drawn, so a key must change with
// anything that changes what is drawn: every such change is tried here, one at a time.
class FrameKeyTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        writeImage("one", 20, 20, [](int, int) { return SDL_Color{200, 40, 40, 255}; });
        writeImage("two", 20, 20, [](int, int) { return SDL_Color{40, 40, 200, 255}; });
        scene = presentScene(view);
        sprite = std::make_shared<SKSpriteNode>("one");
        sprite->setPosition({10.0, 20.0});
        scene->addChild(sprite);
        other = std::make_shared<SKSpriteNode>("two");
        scene->addChild(group);
        group->addChild(other);
        label = SKLabelNode::labelNodeWithText("Faltan: 3");
        scene->addChild(label);
        view.session().runWithConfiguration({}, ARSessionRunOptions::none);
    }

    // Draws, then tells whether the change made the next frame differ from the one drawn.
    bool changes(const std::function<void()>& change) {
        draw(view);
        if (!renderer->wouldRepeat(view, kPixelsPerPoint)) {
            ADD_FAILURE() << "an unchanged frame does not repeat";
        }
        change();
        return !renderer->wouldRepeat(view, kPixelsPerPoint);
    }

    ARSKView view{CGRect{{0, 0}, {kViewWidth, kViewHeight}}};
    std::shared_ptr<SKScene> scene;
    std::shared_ptr<SKSpriteNode> sprite;
    std::shared_ptr<SKNode> group = std::make_shared<SKNode>();
    std::shared_ptr<SKSpriteNode> other;
    std::shared_ptr<SKLabelNode> label;
};

TEST_F(FrameKeyTest, NothingChangedMeansTheSameFrame) {
    EXPECT_FALSE(changes([] {}));
    EXPECT_FALSE(changes([this] { view.stepFrame(0.0); }));
}

TEST_F(FrameKeyTest, EveryPropertyThatIsDrawnMakesANewFrame) {
    // Each change is tried after the one before it has been drawn.
    EXPECT_TRUE(changes([this] { sprite->setPosition({10.5, 20.0}); })) << "position";
    EXPECT_TRUE(changes([this] { sprite->setXScale(1.01); })) << "x scale";
    EXPECT_TRUE(changes([this] { sprite->setYScale(-1.0); })) << "y scale";
    EXPECT_TRUE(changes([this] { sprite->setDepthScale(0.9); })) << "depth scale";
    EXPECT_TRUE(changes([this] { sprite->setAlpha(0.99); })) << "alpha";
    EXPECT_TRUE(changes([this] { group->setAlpha(0.5); })) << "parent's alpha";
    EXPECT_TRUE(changes([this] { group->setPosition({-3.0, 0.0}); })) << "parent's position";
    EXPECT_TRUE(changes([this] { sprite->setHidden(true); })) << "hidden";
    EXPECT_TRUE(changes([this] { sprite->setHidden(false); })) << "shown again";
    EXPECT_TRUE(changes([this] { sprite->setZPosition(5.0); })) << "depth order";
    EXPECT_TRUE(changes([this] { sprite->setSize({21.0, 20.0}); })) << "sprite size";
    EXPECT_TRUE(changes([this] { sprite->setAnchorPoint({0.0, 0.5}); })) << "anchor point";
    EXPECT_TRUE(changes([this] { sprite->setColor({0.5, 0.5, 0.5, 1.0}); })) << "blend colour";
    EXPECT_TRUE(changes([this] { sprite->setColorBlendFactor(0.3); })) << "blend factor";
    EXPECT_TRUE(changes([this] { label->setText("Faltan: 2"); })) << "label text";
    EXPECT_TRUE(changes([this] { label->setFontName("Avenir Next"); })) << "font";
    EXPECT_TRUE(changes([this] { label->setFontSize(31.0); })) << "font size";
    EXPECT_TRUE(changes([this] { label->setFontColor({1.0, 0.0, 0.0, 1.0}); })) << "font colour";
    EXPECT_TRUE(changes([this] { label->setColor({0.0, 1.0, 0.0, 1.0}); })) << "label colour";
    EXPECT_TRUE(changes([this] { label->setColorBlendFactor(1.0); })) << "label blend factor";
    EXPECT_TRUE(changes([this] {
        label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::left);
    })) << "alignment";
    EXPECT_TRUE(changes([this] { scene->addChild(std::make_shared<SKSpriteNode>("one")); }))
        << "a node added";
    EXPECT_TRUE(changes([this] { other->removeFromParent(); })) << "a node removed";
    EXPECT_TRUE(changes([this] { group->addChild(other); })) << "a node put back";
    EXPECT_TRUE(changes([this] {
        other->removeFromParent();
        other = std::make_shared<SKSpriteNode>("one");
        group->addChild(other);
    })) << "another picture";
    EXPECT_TRUE(changes([this] { scene->setAnchorPoint({0.4, 0.5}); })) << "scene anchor";
    EXPECT_TRUE(changes([this] {
        view.setFrame({{0, 0}, {kViewWidth - 1.0, kViewHeight}});
    })) << "view size";
    EXPECT_TRUE(changes([this] { view.setShowsNodeCount(true); })) << "node count shown";
    EXPECT_TRUE(changes([this] { view.setShowsFPS(true); })) << "frame rate shown";
    EXPECT_TRUE(changes([this] {
        view.stepFrame(1.0);
        view.stepFrame(1.5);
    })) << "frame rate";
    EXPECT_TRUE(changes([this] { renderer->setNotice("tracking lost"); })) << "notice";
    EXPECT_TRUE(changes([this] {
        view.session().setDevicePose(
            glm::rotate(simd_float4x4{1.0F}, 0.01F, simd_float3{0.0F, 1.0F, 0.0F}));
        view.stepFrame(2.0);
    })) << "camera turned";
    EXPECT_TRUE(changes([this] { renderer->setWorldShown(false); })) << "world withheld";
    EXPECT_TRUE(changes([this] { renderer->setWorldShown(true); })) << "world shown";
    EXPECT_TRUE(changes([this] {
        renderer->setCameraFrame({2, 2, std::vector<std::uint8_t>(12, 90), 0.0});
    })) << "camera picture";
    EXPECT_TRUE(changes([this] {
        renderer->setCameraFrame({2, 2, std::vector<std::uint8_t>(12, 91), 0.1});
    })) << "next camera picture";
    EXPECT_TRUE(changes([this] { renderer->clearCameraFrame(); })) << "back to the world";
}

TEST_F(FrameKeyTest, TheCoarseWorldOfAMovingCameraIsRedrawnInFullOnceItStops) {
    renderer->setQuickWhileMoving(true);
    draw(view);
    view.session().setDevicePose(
        glm::rotate(simd_float4x4{1.0F}, 0.2F, simd_float3{0.0F, 1.0F, 0.0F}));
    view.stepFrame(0.5);
    EXPECT_FALSE(renderer->wouldRepeat(view, kPixelsPerPoint));
    draw(view);  // coarse: the camera moved since the frame before
    EXPECT_FALSE(renderer->wouldRepeat(view, kPixelsPerPoint));
    draw(view);  // in full: the camera stood still
    EXPECT_TRUE(renderer->wouldRepeat(view, kPixelsPerPoint));
}

}  // namespace
}  // namespace rovuzu
