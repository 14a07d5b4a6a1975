#include <memory>
#include <optional>
#include <string>

#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/world/DevicePose.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

// A camera whose picture is red above and blue below.
class StillCamera final : public CameraFeed {
  public:
    StillCamera() {
        for (int y = 0; y < frame_.height; ++y) {
            for (int x = 0; x < frame_.width; ++x) {
                const std::uint8_t top = y < frame_.height / 2 ? 255 : 0;
                frame_.rgb.insert(frame_.rgb.end(), {top, 0, static_cast<std::uint8_t>(255 - top)});
            }
        }
    }
    std::optional<DevicePose> update(const DevicePose& /*pose*/, double /*now*/) override {
        return std::nullopt;
    }
    [[nodiscard]] const CameraFrame* picture() const override { return &frame_; }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return 1; }
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override {
        return CameraIntrinsics::fromFieldOfView(frame_.width, frame_.height);
    }

  private:
    CameraFrame frame_{40, 160, {}, 0.0};
};

// SDL's reset events say that the GPU took the renderer's textures away, their pixels or their
// very memory. Here the GPU is taken away for good: the renderer must make every texture again
// on a new SDL renderer, whose own checks refuse any texture of the old one, and draw the very
// same pixels.
class RendererResetTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        scene = presentScene(view);
        view.session().runWithConfiguration({}, ARSessionRunOptions::none);
        view.session().setDevicePose(DevicePose::looking(20.0, 10.0).transform());
        view.setShowsNodeCount(true);
        writeImage("rings", 30, 30, [](int x, int y) {
            const int ring = ((x - 15) * (x - 15) + (y - 15) * (y - 15)) / 40;
            return ring % 2 == 0 ? SDL_Color{230, 40, 40, 255} : SDL_Color{250, 250, 250, 200};
        });
        auto sprite = std::make_shared<SKSpriteNode>("rings");
        sprite->setPosition({-60.0, 40.0});
        // Stretched, as the targets are: SDL's software renderer keeps a stretched copy.
        sprite->setScale(1.5);
        scene->addChild(sprite);
        auto label = SKLabelNode::labelNodeWithText("Faltan: 3");
        label->setPosition({0.0, 200.0});
        scene->addChild(label);
        surroundings.notice = "Se perdió el seguimiento";
    }

    void TearDown() override {
        renderer.reset();
        if (other != nullptr) {
            SDL_DestroyRenderer(other);
        }
        RenderTest::TearDown();
    }

    // A second GPU: SDL's software renderer drawing into a picture like the window's.
    SDL_Renderer* otherRenderer() {
        surface.reset(SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32,
                                                     SDL_GetWindowPixelFormat(window)));
        other = surface ? SDL_CreateSoftwareRenderer(surface.get()) : nullptr;
        return other;
    }

    Capture drawOn(SDL_Renderer* on) {
        SDL_SetRenderDrawColor(on, 255, 0, 255, 255);
        SDL_RenderClear(on);
        renderer->draw(FrameLayout::of(view, kPixelsPerPoint, surroundings, nullptr));
        Capture frame{kWidth, kHeight,
                      std::vector<SDL_Color>(static_cast<std::size_t>(kWidth) * kHeight)};
        SDL_RenderReadPixels(on, nullptr, SDL_PIXELFORMAT_RGBA32, frame.pixels.data(), kWidth * 4);
        return frame;
    }

    static int differences(const Capture& a, const Capture& b) {
        int n = 0;
        for (std::size_t i = 0; i < a.pixels.size(); ++i) {
            const SDL_Color p = a.pixels[i];
            const SDL_Color q = b.pixels[i];
            n += p.r != q.r || p.g != q.g || p.b != q.b ? 1 : 0;
        }
        return n;
    }

    ARSKView view{CGRect{{0, 0}, {kViewWidth, kViewHeight}}};
    std::shared_ptr<SKScene> scene;
    SurfacePtr surface;
    SDL_Renderer* other = nullptr;
};

TEST_F(RendererResetTest, TheWorldSpritesTextAndReadoutsAreMadeAgainAndDrawnAsBefore) {
    const Capture before = drawOn(sdl);
    // Every part of the frame is there to lose: the room, the rings, the label and both strips.
    ASSERT_EQ(before.count(isMagenta), 0);
    ASSERT_GT(before.count([](SDL_Color c) { return isNear(c, 230, 40, 40, 20); }), 100);
    ASSERT_GT(before.count(isLit, 0, 0, kWidth, 40), 50);
    ASSERT_GT(before.count(isLit, kWidth - 120, kHeight - 30, kWidth, kHeight), 20);

    SDL_Renderer* replaced = otherRenderer();
    ASSERT_NE(replaced, nullptr) << SDL_GetError();
    renderer->reset(replaced);
    EXPECT_EQ(differences(before, drawOn(replaced)), 0);
    // And back, as SDL's own reset events do it: the same renderer, every texture anew.
    renderer->reset(sdl);
    EXPECT_EQ(differences(before, drawOn(sdl)), 0);
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(RendererResetTest, TheCamerasPictureIsTakenAgain) {
    const StillCamera camera;
    view.session().setCameraIntrinsics(*camera.intrinsics());
    surroundings.cameraPicture = camera.pictureNumber();
    renderer->follow(camera);
    const Capture before = drawOn(sdl);
    ASSERT_TRUE(isNear(before.at(2, kHeight / 4), 255, 0, 0));

    SDL_Renderer* replaced = otherRenderer();
    ASSERT_NE(replaced, nullptr) << SDL_GetError();
    renderer->reset(replaced);
    // A window follows its camera before every frame it draws.
    renderer->follow(camera);
    EXPECT_EQ(differences(before, drawOn(replaced)), 0);
}

}  // namespace
}  // namespace rovuzu
