#include <functional>
#include <glm/gtc/matrix_transform.hpp>
#include <string>
#include <utility>
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
    const std::vector<std::pair<std::string, std::function<void()>>> changesToTry{
        {"position",
         [this] {
             sprite->setPosition({10.5, 20.0});
         }},
        {"x scale", [this] { sprite->setXScale(1.01); }},
        {"y scale", [this] { sprite->setYScale(-1.0); }},
        {"depth scale", [this] { sprite->setDepthScale(0.9); }},
        {"alpha", [this] { sprite->setAlpha(0.99); }},
        {"parent's alpha", [this] { group->setAlpha(0.5); }},
        {"parent's position",
         [this] {
             group->setPosition({-3.0, 0.0});
         }},
        {"hidden", [this] { sprite->setHidden(true); }},
        {"shown again", [this] { sprite->setHidden(false); }},
        {"depth order", [this] { sprite->setZPosition(5.0); }},
        {"sprite size",
         [this] {
             sprite->setSize({21.0, 20.0});
         }},
        {"anchor point",
         [this] {
             sprite->setAnchorPoint({0.0, 0.5});
         }},
        {"blend colour",
         [this] {
             sprite->setColor({0.5, 0.5, 0.5, 1.0});
         }},
        {"blend factor", [this] { sprite->setColorBlendFactor(0.3); }},
        {"label text", [this] { label->setText("Faltan: 2"); }},
        {"font", [this] { label->setFontName("Avenir Next"); }},
        {"font size", [this] { label->setFontSize(31.0); }},
        {"font colour",
         [this] {
             label->setFontColor({1.0, 0.0, 0.0, 1.0});
         }},
        {"label blend colour",
         [this] {
             label->setColor({0.0, 1.0, 0.0, 1.0});
         }},
        {"label blend factor", [this] { label->setColorBlendFactor(1.0); }},
        {"alignment",
         [this] { label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::left); }},
        {"a node added", [this] { scene->addChild(std::make_shared<SKSpriteNode>("one")); }},
        {"a node removed", [this] { other->removeFromParent(); }},
        {"a node put back", [this] { group->addChild(other); }},
        {"another picture",
         [this] {
             other->removeFromParent();
             other = std::make_shared<SKSpriteNode>("one");
             group->addChild(other);
         }},
        {"scene anchor",
         [this] {
             scene->setAnchorPoint({0.4, 0.5});
         }},
        {"view size",
         [this] {
             view.setFrame({{0, 0}, {kViewWidth - 1.0, kViewHeight}});
         }},
        {"node count shown", [this] { view.setShowsNodeCount(true); }},
        {"frame rate shown", [this] { view.setShowsFPS(true); }},
        {"frame rate",
         [this] {
             view.stepFrame(1.0);
             view.stepFrame(1.5);
         }},
        {"notice", [this] { renderer->setNotice("tracking lost"); }},
        {"camera turned",
         [this] {
             view.session().setDevicePose(
                 glm::rotate(simd_float4x4{1.0F}, 0.01F, simd_float3{0.0F, 1.0F, 0.0F}));
             view.stepFrame(2.0);
         }},
        {"world withheld", [this] { renderer->setWorldShown(false); }},
        {"world shown", [this] { renderer->setWorldShown(true); }},
        {"camera picture",
         [this] {
             renderer->setCameraFrame({2, 2, std::vector<std::uint8_t>(12, 90), 0.0});
         }},
        {"next camera picture",
         [this] {
             renderer->setCameraFrame({2, 2, std::vector<std::uint8_t>(12, 91), 0.1});
         }},
        {"back to the world", [this] { renderer->clearCameraFrame(); }},
    };
    for (const auto& [what, change] : changesToTry) {
        EXPECT_TRUE(changes(change)) << what;
    }
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
