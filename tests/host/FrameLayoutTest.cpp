#include <functional>
#include <glm/gtc/matrix_transform.hpp>
#include <vector>

#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/FrameLayout.hpp"
#include "platform/host/core/TextHalo.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

// A host skips a frame equal to the last one drawn, so a frame must change with anything that
// changes what is drawn: every such change is tried here, one at a time. The view is 200 by 300
// points, laid out at 2 pixels a point, with the scene's origin at its centre.
class FrameLayoutTest : public PlatformTest {
  protected:
    static constexpr double kPixelsPerPoint = 2.0;

    void SetUp() override {
        PlatformTest::SetUp();
        addImage("one", 20, 20);
        addImage("two", 20, 20);
        scene = std::make_shared<SKScene>();
        scene->setAnchorPoint({0.5, 0.5});
        view.presentScene(scene);
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

    Frame layout(const Frame* previous = nullptr) const {
        return FrameLayout::of(view, kPixelsPerPoint, surroundings, previous);
    }

    // Whether the change made the next frame differ from the one before it.
    bool changes(const std::function<void()>& change) {
        const Frame before = layout();
        if (layout() != before) {
            ADD_FAILURE() << "an unchanged view gives a different frame";
        }
        change();
        return layout() != before;
    }

    ARSKView view{CGRect{{0, 0}, {200, 300}}};
    FrameLayout::Surroundings surroundings;
    std::shared_ptr<SKScene> scene;
    std::shared_ptr<SKSpriteNode> sprite;
    std::shared_ptr<SKNode> group = std::make_shared<SKNode>();
    std::shared_ptr<SKSpriteNode> other;
    std::shared_ptr<SKLabelNode> label;
};

TEST_F(FrameLayoutTest, NothingChangedMeansTheSameFrame) {
    EXPECT_FALSE(changes([] {}));
    EXPECT_FALSE(changes([this] { view.stepFrame(0.0); }));
}

TEST_F(FrameLayoutTest, EveryPropertyThatIsDrawnMakesANewFrame) {
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
    // The blend colour shows only through its factor.
    EXPECT_FALSE(changes([this] { sprite->setColor({0.5, 0.5, 0.5, 1.0}); })) << "blend colour";
    EXPECT_TRUE(changes([this] { sprite->setColorBlendFactor(0.3); })) << "blend factor";
    EXPECT_TRUE(changes([this] { sprite->setColor({0.5, 0.6, 0.5, 1.0}); })) << "blend colour";
    EXPECT_TRUE(changes([this] { label->setText("Faltan: 2"); })) << "label text";
    EXPECT_TRUE(changes([this] { label->setFontName("Avenir Next"); })) << "font";
    EXPECT_TRUE(changes([this] { label->setFontSize(31.0); })) << "font size";
    EXPECT_TRUE(changes([this] { label->setFontColor({1.0, 0.0, 0.0, 1.0}); })) << "font colour";
    EXPECT_TRUE(changes([this] { label->setColorBlendFactor(1.0); })) << "label blend factor";
    EXPECT_TRUE(changes([this] { label->setColor({0.0, 1.0, 0.0, 1.0}); })) << "label colour";
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
    EXPECT_TRUE(changes([this] { view.setFrame({{0, 0}, {199, 300}}); })) << "view size";
    EXPECT_TRUE(changes([this] { view.setShowsNodeCount(true); })) << "node count shown";
    EXPECT_TRUE(changes([this] { view.setShowsFPS(true); })) << "frame rate shown";
    EXPECT_TRUE(changes([this] {
        view.stepFrame(1.0);
        view.stepFrame(1.5);
    })) << "frame rate";
    EXPECT_TRUE(changes([this] { surroundings.notice = "Seguimiento perdido"; })) << "notice";
    EXPECT_TRUE(changes([this] {
        view.session().setDevicePose(
            glm::rotate(simd_float4x4{1.0F}, 0.01F, simd_float3{0.0F, 1.0F, 0.0F}));
        view.stepFrame(2.0);
    })) << "camera turned";
    EXPECT_TRUE(changes([this] { surroundings.worldShown = false; })) << "world withheld";
    EXPECT_TRUE(changes([this] { surroundings.worldShown = true; })) << "world shown";
    EXPECT_FALSE(changes([this] { surroundings.cameraPicture = 1; }))
        << "a picture the session knows nothing of";
    EXPECT_TRUE(changes([this] {
        view.session().setCameraIntrinsics(CameraIntrinsics::fromFieldOfView(640, 480));
    })) << "camera picture";
    EXPECT_TRUE(changes([this] { surroundings.cameraPicture = 2; })) << "next camera picture";
    EXPECT_TRUE(changes([this] {
        view.session().setCameraIntrinsics(CameraIntrinsics::fromFieldOfView(640, 360));
    })) << "a camera of another shape";
    EXPECT_TRUE(changes([this] { surroundings.cameraPicture = 0; })) << "back to the world";
}

TEST_F(FrameLayoutTest, TheCoarseWorldOfAMovingCameraIsRedrawnInFullOnceItStops) {
    surroundings.quickWhileMoving = true;
    const Frame first = layout();
    view.session().setDevicePose(
        glm::rotate(simd_float4x4{1.0F}, 0.2F, simd_float3{0.0F, 1.0F, 0.0F}));
    view.stepFrame(0.5);
    const Frame moving = layout(&first);
    EXPECT_TRUE(moving.backdrop.coarse) << "the camera moved since the frame before";
    const Frame still = layout(&moving);
    EXPECT_FALSE(still.backdrop.coarse);
    EXPECT_NE(still, moving) << "once the camera stops, the world is drawn again in full";
}

TEST_F(FrameLayoutTest, SpritesAndLabelsLandInTargetPixelsInDrawingOrder) {
    sprite->setXScale(-1.0);
    sprite->setColor({0.0, 0.0, 1.0, 1.0});
    sprite->setColorBlendFactor(0.5);
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    label->setPosition({-50.0, 100.0});
    group->setAlpha(0.5);
    const Frame frame = layout();
    EXPECT_EQ(frame.area, (PixelArea{0, 0, 400, 600}));
    ASSERT_EQ(frame.items.size(), 3U);

    // Two scene units a point and two pixels a point: a pixel a unit, y turned over.
    const auto& turned = std::get<Frame::Sprite>(frame.items[0]);
    EXPECT_EQ(turned.box, (PixelBox{200.0F, 270.0F, 20.0F, 20.0F}));
    EXPECT_TRUE(turned.flipX);
    EXPECT_FALSE(turned.flipY);
    EXPECT_EQ(turned.tint, (UIColor{0.5, 0.5, 1.0, 1.0}));
    EXPECT_EQ(std::get<Frame::Sprite>(frame.items[1]).tint.alpha, 0.5) << "its parent's alpha";

    const auto& text = std::get<Frame::Text>(frame.items[2]);
    EXPECT_EQ(text.text, "Faltan: 3");
    EXPECT_EQ(text.baseline, (PixelPoint{150.0F, 200.0F}));
    EXPECT_EQ(text.sizeY, SKLabelNode::kDefaultFontSize);
    EXPECT_EQ(text.alignment, SKLabelHorizontalAlignmentMode::right);
    EXPECT_DOUBLE_EQ(text.halo, TextHalo::kEmShare * text.sizeY) << "a share of the em";
    label->setFontSize(8);
    const Frame smaller = layout();
    const auto& small = std::get<Frame::Text>(smaller.items[2]);
    EXPECT_DOUBLE_EQ(small.halo, kPixelsPerPoint) << "and never under a point";
}

TEST_F(FrameLayoutTest, AViewTooLargeOrOfNoSizeHasNothingToDraw) {
    for (const CGSize size : {CGSize{0, 300}, CGSize{9000, 300}}) {
        view.setFrame({{0, 0}, size});
        const Frame frame = layout();
        EXPECT_EQ(frame.area, PixelArea{});
        EXPECT_TRUE(frame.items.empty());
    }
}

}  // namespace
}  // namespace rovuzu
