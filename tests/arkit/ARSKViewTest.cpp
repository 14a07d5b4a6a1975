#include <glm/gtc/matrix_transform.hpp>

#include "platform/arkit/ARSKView.hpp"
#include "platform/arkit/ARSKViewDelegate.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

class CountingMaker final : public ARSKViewDelegate {
  public:
    std::shared_ptr<SKNode> viewNodeForAnchor(ARSKView& /*view*/,
                                              const ARAnchor& /*anchor*/) override {
        ++asked;
        return std::make_shared<SKSpriteNode>("target");
    }
    int asked = 0;
};

simd_float4x4 at(float x, float y, float z) {
    return glm::translate(simd_float4x4{1.0F}, simd_float3{x, y, z});
}

simd_float4x4 turnedLeft(float degrees) {
    return glm::rotate(simd_float4x4{1.0F}, glm::radians(degrees), simd_float3{0, 1, 0});
}

class ARSKViewTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addImage("target", 240, 240);
        scene->setAnchorPoint({0.5, 0.5});
        view->presentScene(scene);
        view->setDelegate(maker);
        view->session().runWithConfiguration({}, ARSessionRunOptions::none);
    }

    std::shared_ptr<SKNode> anchorAt(const simd_float4x4& transform) {
        view->session().addAnchor(std::make_shared<ARAnchor>(transform));
        view->stepFrame(0.0);
        return view->nodeForAnchor(*view->session().anchors().back());
    }

    std::shared_ptr<ARSKView> view = std::make_shared<ARSKView>(CGRect{{0, 0}, {375, 667}});
    std::shared_ptr<SKScene> scene = std::make_shared<SKScene>();
    std::shared_ptr<CountingMaker> maker = std::make_shared<CountingMaker>();
};

TEST_F(ARSKViewTest, AnAnchorStraightAheadLandsAtTheCentreSizedForItsDistance) {
    const auto node = anchorAt(at(0, 0, -1.5F));
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->parent(), scene.get());
    EXPECT_NEAR(node->position().x, 0.0, 1e-9);
    EXPECT_NEAR(node->position().y, 0.0, 1e-9);
    EXPECT_NEAR(node->depthScale(), 1.0 / 1.5, 1e-6);
    EXPECT_FALSE(node->isHidden());
    EXPECT_EQ(scene->nodesAtPoint({0, 0}), (std::vector<std::shared_ptr<SKNode>>{node}));
    EXPECT_EQ(view->anchorForNode(*node), view->session().anchors().back());
}

TEST_F(ARSKViewTest, AnchorsOffToTheSideOrBehindAreHiddenAndCannotBeHit) {
    const auto left = anchorAt(at(-1.5F, 0, 0));
    const auto behind = anchorAt(at(0, 0, 1.5F));
    EXPECT_TRUE(left->isHidden());
    EXPECT_TRUE(behind->isHidden());
    EXPECT_TRUE(scene->nodesAtPoint({0, 0}).empty());
    view->session().setDevicePose(turnedLeft(90.0F));
    view->stepFrame(0.1);
    EXPECT_FALSE(left->isHidden());
    EXPECT_NEAR(left->position().x, 0.0, 1e-4);
    EXPECT_TRUE(behind->isHidden());
}

TEST_F(ARSKViewTest, AnAnchorUpAndRightProjectsThroughThePinhole) {
    const auto node = anchorAt(at(0.1F, 0.2F, -1.0F));
    // Focal length: half the longer side over tan(30°), in points, times two scene units.
    const double focal = 333.5 / std::tan(glm::radians(30.0));
    EXPECT_NEAR(node->position().x, 2.0 * focal * 0.1, 1e-3);
    EXPECT_NEAR(node->position().y, 2.0 * focal * 0.2, 1e-3);
}

TEST_F(ARSKViewTest, NearerNodesDrawInFrontOfFartherOnes) {
    const auto far = anchorAt(at(0, 0, -3.0F));
    const auto near = anchorAt(at(0, 0, -1.0F));
    EXPECT_LT(far->zPosition(), near->zPosition());
    EXPECT_EQ(scene->nodesAtPoint({0, 0}).front(), near);
}

TEST_F(ARSKViewTest, TheDelegateIsAskedOncePerAnchorWhileTheSessionRuns) {
    anchorAt(at(0, 0, -1));
    view->stepFrame(0.1);
    EXPECT_EQ(maker->asked, 1);
    view->session().pause();
    view->session().addAnchor(std::make_shared<ARAnchor>(at(0, 0, -2)));
    view->stepFrame(0.2);
    EXPECT_EQ(maker->asked, 1);
    view->session().runWithConfiguration({}, ARSessionRunOptions::none);
    view->stepFrame(0.3);
    EXPECT_EQ(maker->asked, 2);
    EXPECT_EQ(scene->children().size(), 2U);
}

TEST_F(ARSKViewTest, PausingFreezesTheCameraAndRunningAgainKeepsTheOrigin) {
    ARSession& session = view->session();
    session.pause();
    session.setDevicePose(turnedLeft(90.0F));
    EXPECT_EQ(session.cameraTransform(), simd_float4x4{1.0F});
    session.runWithConfiguration({}, ARSessionRunOptions::none);
    EXPECT_EQ(session.cameraTransform(), turnedLeft(90.0F));
    EXPECT_EQ(session.worldOrigin(), simd_float4x4{1.0F});
    session.runWithConfiguration({}, ARSessionRunOptions::resetTracking);
    EXPECT_EQ(session.cameraTransform(), simd_float4x4{1.0F});
}

TEST(ARSessionOrigin, IsThePoseWhenTrackingFirstRan) {
    ARSession session;
    session.setDevicePose(at(1, 0, 0));
    session.runWithConfiguration({}, ARSessionRunOptions::none);
    session.setDevicePose(at(1, 0, -2));
    EXPECT_EQ(simd_float3{session.cameraTransform()[3]}, (simd_float3{0, 0, -2}));
}

}  // namespace
}  // namespace rovuzu
