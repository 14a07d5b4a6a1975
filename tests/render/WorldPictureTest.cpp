#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/world/DevicePose.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

class WorldPictureTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        scene = presentScene(view);
        view.session().runWithConfiguration({}, ARSessionRunOptions::none);
    }

    void look(double yaw, double pitch, double roll = 0.0, simd_float3 at = simd_float3{0.0F}) {
        view.session().setDevicePose(
            DevicePose::looking(yaw, pitch, roll, {at.x, at.y, at.z}).transform());
    }

    ARSKView view{CGRect{{0, 0}, {kViewWidth, kViewHeight}}};
    std::shared_ptr<SKScene> scene;
};

int differingPixels(const Capture& a, const Capture& b,
                    SDL_Rect within = {0, 0, 1 << 20, 1 << 20}) {
    int n = 0;
    for (int y = within.y; y < std::min(within.y + within.h, a.height); ++y) {
        for (int x = within.x; x < std::min(within.x + within.w, a.width); ++x) {
            const SDL_Color c = b.at(x, y);
            n += isNear(a.at(x, y), c.r, c.g, c.b, 30) ? 0 : 1;
        }
    }
    return n;
}

TEST_F(WorldPictureTest, TheWorldCoversTheWholeViewWhereverTheDeviceLooks) {
    struct Pose {
        double yaw, pitch, roll;
        float x, z;
    };
    const Pose poses[] = {{0, 0, 0, 0, 0},        {180, 0, 0, 0, 0},     {90, 0, 0, 0, 0},
                          {-90, 0, 0, 0, 0},      {0, -90, 0, 0, 0},     {0, 89, 0, 0, 0},
                          {33, -41, 17, 1.5F, 0}, {-150, 25, -40, -2, 1}};
    for (const Pose& p : poses) {
        look(p.yaw, p.pitch, p.roll, {p.x, 0.0F, p.z});
        draw(view);
        EXPECT_EQ(capture().count(isMagenta), 0) << "yaw " << p.yaw << " pitch " << p.pitch;
    }
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(WorldPictureTest, TurningTheDeviceChangesThePicture) {
    const Capture ahead = drawAndCapture(view);
    look(90, 0);
    EXPECT_GT(differingPixels(ahead, drawAndCapture(view)), kWidth * kHeight / 2);
    look(0, 0);
    EXPECT_EQ(differingPixels(ahead, drawAndCapture(view)), 0);
}

TEST_F(WorldPictureTest, APoseThatIsNotANumberShowsAnEmptyBackdrop) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    view.session().setDevicePose(simd_float4x4{nan});
    const Capture frame = drawAndCapture(view);
    EXPECT_EQ(frame.count(isMagenta), 0);
    EXPECT_EQ(frame.count([](SDL_Color c) { return c.r + c.g + c.b > 200; }), 0);
}

TEST_F(WorldPictureTest, ACameraFrameReplacesTheWorldAndFillsTheView) {
    // Taller than the view: its middle rows fill it, red above blue.
    CameraFrame frame{40, 160, {}, 0.0};
    for (int y = 0; y < frame.height; ++y) {
        for (int x = 0; x < frame.width; ++x) {
            const std::uint8_t top = y < frame.height / 2 ? 255 : 0;
            frame.rgb.insert(frame.rgb.end(), {top, 0, static_cast<std::uint8_t>(255 - top)});
        }
    }
    renderer->setCameraFrame(frame);
    surroundings.cameraPicture = 1;
    view.session().setCameraIntrinsics(
        CameraIntrinsics::fromFieldOfView(frame.width, frame.height));
    const Capture drawn = drawAndCapture(view);
    EXPECT_EQ(drawn.count(isMagenta), 0);
    EXPECT_TRUE(isNear(drawn.at(0, kHeight / 4), 255, 0, 0));
    EXPECT_TRUE(isNear(drawn.at(kWidth - 1, kHeight / 4), 255, 0, 0));
    EXPECT_TRUE(isNear(drawn.at(kWidth / 2, kHeight * 3 / 4), 0, 0, 255));
    surroundings.cameraPicture = 0;
    EXPECT_FALSE(isNear(drawAndCapture(view).at(0, kHeight / 4), 255, 0, 0));
}

TEST_F(WorldPictureTest, AMalformedCameraFrameIsRefusedOnce) {
    const CameraFrame broken{640, 480, std::vector<std::uint8_t>(10), 0.0};
    renderer->setCameraFrame(broken);
    renderer->setCameraFrame(broken);
    surroundings.cameraPicture = 1;
    draw(view);
    EXPECT_EQ(capture().count(isMagenta), 0);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find("camera frame: 640x480"), std::string::npos) << lines[0];
}

TEST_F(WorldPictureTest, TheReadoutsShowOneOrBothAtATimeInTheBottomRightCorner) {
    view.setShowsNodeCount(true);
    EXPECT_EQ(Readouts::text(view), "0 nodes");
    view.setShowsNodeCount(false);
    EXPECT_EQ(Readouts::text(view), "");
    scene->addChild(std::make_shared<SKNode>());
    view.stepFrame(0.0);
    view.stepFrame(0.5);
    const Capture without = drawAndCapture(view);
    view.setShowsNodeCount(true);
    EXPECT_EQ(Readouts::text(view), "1 node");
    view.setShowsNodeCount(false);
    view.setShowsFPS(true);
    EXPECT_EQ(Readouts::text(view), "2 fps");
    view.setShowsNodeCount(true);
    EXPECT_EQ(Readouts::text(view), "1 node  2 fps");
    const Capture with = drawAndCapture(view);
    const auto white = [](SDL_Color c) { return isNear(c, 255, 255, 255, 40); };
    EXPECT_GT(with.count(white, kWidth - 200, kHeight - 40, kWidth, kHeight), 60);
    EXPECT_GT(differingPixels(with, without), 200);
    EXPECT_EQ(differingPixels(with, without, {0, 0, kWidth, kHeight - 40}), 0);
    EXPECT_EQ(differingPixels(with, without, {0, 0, kWidth - 200, kHeight}), 0);
}

TEST_F(WorldPictureTest, SpritesAreDrawnOverTheWorldAndAScreenshotHoldsTheDrawnFrame) {
    writeImage("green", 30, 30, [](int, int) { return SDL_Color{0, 255, 0, 255}; });
    scene->addChild(std::make_shared<SKSpriteNode>("green"));
    const SDL_Point centre = pixelOf(0, 0);
    EXPECT_TRUE(isNear(drawAndCapture(view).at(centre.x, centre.y), 0, 255, 0, 4));
    const auto file = bundle / "shot.png";
    ASSERT_TRUE(renderer->savePNG(file));
    SDL_Surface* shot = IMG_Load(file.c_str());
    ASSERT_NE(shot, nullptr);
    EXPECT_EQ(shot->w, kWidth);
    EXPECT_EQ(shot->h, kHeight);
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(shot, SDL_PIXELFORMAT_RGBA32, 0);
    const auto* pixel = static_cast<const std::uint8_t*>(rgba->pixels) +
                        static_cast<std::ptrdiff_t>(centre.y) * rgba->pitch +
                        static_cast<std::ptrdiff_t>(centre.x) * 4;
    EXPECT_TRUE(isNear({pixel[0], pixel[1], pixel[2], 255}, 0, 255, 0, 4));
    SDL_FreeSurface(rgba);
    SDL_FreeSurface(shot);
}

TEST_F(WorldPictureTest, AScreenshotThatCannotBeWrittenSaysWhy) {
    draw(view);
    EXPECT_FALSE(renderer->savePNG(bundle / "no-such-folder" / "shot.png"));
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find("no-such-folder/shot.png: cannot write the screenshot"),
              std::string::npos)
        << lines[0];
}

}  // namespace
}  // namespace rovuzu
