#include <cmath>
#include <fstream>
#include <limits>

#include "platform/host/sdl/TextureCache.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/spritekit/SKTexture.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

constexpr SDL_Color kRed{230, 20, 20, 255};
constexpr SDL_Color kBlue{20, 40, 230, 255};

class SpriteDrawingTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        // 40 by 40: red on the left half, blue on the right.
        writeImage("halves", 40, 40, [](int x, int /*y*/) { return x < 20 ? kRed : kBlue; });
        scene = presentScene(view);
    }

    std::shared_ptr<SKSpriteNode> addSprite(const std::string& image, CGPoint position) {
        auto sprite = std::make_shared<SKSpriteNode>(image);
        sprite->setPosition(position);
        scene->addChild(sprite);
        return sprite;
    }

    SKView view{CGRect{{0, 0}, {kViewWidth, kViewHeight}}};
    std::shared_ptr<SKScene> scene;
};

bool isRed(SDL_Color c) {
    return isNear(c, kRed.r, kRed.g, kRed.b);
}
bool isBlue(SDL_Color c) {
    return isNear(c, kBlue.r, kBlue.g, kBlue.b);
}
bool isRedOrBlue(SDL_Color c) {
    return isRed(c) || isBlue(c);
}
bool isBlack(SDL_Color c) {
    return isNear(c, 0, 0, 0, 8);
}

TEST_F(SpriteDrawingTest, ASpriteShowsItsColoursAroundItsPositionAndANegativeScaleMirrorsThem) {
    auto sprite = addSprite("halves", {0, 0});
    Capture frame = drawAndCapture(view);
    const SDL_Point centre = pixelOf(0, 0);
    // 40 scene units are 40 pixels at 2 pixels a point: 20 pixels either side of the centre.
    EXPECT_TRUE(isRed(frame.at(centre.x - 10, centre.y)));
    EXPECT_TRUE(isBlue(frame.at(centre.x + 10, centre.y)));
    const SDL_Rect drawn = frame.bounds(isRedOrBlue);
    EXPECT_NEAR(drawn.x, centre.x - 20, 1);
    EXPECT_NEAR(drawn.w, 40, 1);
    EXPECT_NEAR(drawn.y, centre.y - 20, 1);
    EXPECT_NEAR(drawn.h, 40, 1);
    EXPECT_TRUE(errorLines().empty());
    sprite->setXScale(-1.0);
    frame = drawAndCapture(view);
    EXPECT_TRUE(isBlue(frame.at(centre.x - 10, centre.y)));
    EXPECT_TRUE(isRed(frame.at(centre.x + 10, centre.y)));
}

TEST_F(SpriteDrawingTest, SizeAnchorAndScaleShapeTheSprite) {
    auto sprite = addSprite("halves", {0, 0});
    sprite->setAnchorPoint({0, 0});
    sprite->setSize({60, 30});
    sprite->setScale(2.0);
    const SDL_Rect drawn = drawAndCapture(view).bounds(isRedOrBlue);
    const SDL_Point origin = pixelOf(0, 0);
    EXPECT_NEAR(drawn.x, origin.x, 1);
    EXPECT_NEAR(drawn.y + drawn.h, origin.y, 1);
    EXPECT_NEAR(drawn.w, 120, 1);
    EXPECT_NEAR(drawn.h, 60, 1);
}

TEST_F(SpriteDrawingTest, TheViewsDepthScaleAndTheParentsScaleMultiply) {
    auto parent = std::make_shared<SKNode>();
    parent->setScale(0.5);
    parent->setPosition({50, 0});
    scene->addChild(parent);
    auto sprite = std::make_shared<SKSpriteNode>("halves");
    sprite->setDepthScale(3.0);
    sprite->setPosition({20, 0});
    parent->addChild(sprite);
    const SDL_Rect drawn = drawAndCapture(view).bounds(isRedOrBlue);
    EXPECT_NEAR(drawn.w, 60, 1);
    EXPECT_NEAR(drawn.x + drawn.w / 2.0, pixelOf(60, 0).x, 1.0);
}

TEST_F(SpriteDrawingTest, EachSpriteKeepsItsOwnAlphaTimesItsParentsAndAlphaZeroDrawsNothing) {
    addSprite("halves", {-100, 0})->setAlpha(0.5);
    addSprite("halves", {100, 0});  // the same image, solid
    addSprite("halves", {0, -150})->setAlpha(0.0);
    auto parent = std::make_shared<SKNode>();
    parent->setAlpha(0.5);
    parent->setPosition({0, 150});
    scene->addChild(parent);
    parent->addChild(std::make_shared<SKSpriteNode>("halves"));
    const Capture frame = drawAndCapture(view);
    const auto isHalfRed = [](SDL_Color c) {
        return isNear(c, kRed.r / 2, kRed.g / 2, kRed.b / 2, 8);
    };
    const SDL_Point faded = pixelOf(-100, 0);
    const SDL_Point solid = pixelOf(100, 0);
    const SDL_Point inParent = pixelOf(0, 150);
    const SDL_Point none = pixelOf(0, -150);
    EXPECT_TRUE(isHalfRed(frame.at(faded.x - 10, faded.y)));
    EXPECT_TRUE(isRed(frame.at(solid.x - 10, solid.y)));
    EXPECT_TRUE(isHalfRed(frame.at(inParent.x - 10, inParent.y)));
    const auto notBlack = [](SDL_Color c) { return !isBlack(c); };
    EXPECT_EQ(frame.count(notBlack, none.x - 40, none.y - 40, none.x + 40, none.y + 40), 0);
}

TEST_F(SpriteDrawingTest, TheBlendFactorTintsTheImageFromNotAtAllToWhollyTheColour) {
    writeImage("white", 20, 20, [](int, int) { return SDL_Color{255, 255, 255, 255}; });
    auto untinted = addSprite("halves", {-100, 0});
    untinted->setColor({0.0, 1.0, 0.0, 1.0});
    auto tinted = addSprite("white", {100, 0});
    tinted->setColor({0.0, 1.0, 0.0, 1.0});
    tinted->setColorBlendFactor(1.0);
    const Capture frame = drawAndCapture(view);
    const SDL_Point left = pixelOf(-100, 0);
    const SDL_Point right = pixelOf(100, 0);
    EXPECT_TRUE(isRed(frame.at(left.x - 10, left.y)));
    EXPECT_TRUE(isNear(frame.at(right.x, right.y), 0, 255, 0, 8));
}

TEST_F(SpriteDrawingTest, AMissingImageShowsThePlaceholder) {
    addSprite("no-such-image", {0, 0});
    const Capture frame = drawAndCapture(view);
    const SDL_Point centre = pixelOf(0, 0);
    // The placeholder is 128 units square: 64 pixels either side.
    EXPECT_GT(frame.count(isMagenta, centre.x - 64, centre.y - 64, centre.x + 64, centre.y + 64),
              64 * 64 / 2);
    EXPECT_EQ(frame.count(isMagenta, 0, 0, kWidth, centre.y - 70), 0);
}

TEST_F(SpriteDrawingTest, AnUndecodableImageShowsThePlaceholderAndSaysSoOnce) {
    std::ofstream(bundle / "broken.png", std::ios::binary)
        << std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10", 24) << "garbage";
    addSprite("broken", {0, 0});
    draw(view);
    draw(view);
    const SDL_Point centre = pixelOf(0, 0);
    EXPECT_GT(capture().count(isMagenta, centre.x - 8, centre.y - 8, centre.x + 8, centre.y + 8),
              0);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("rovuzu: ", 0), 0U);
    EXPECT_NE(lines[0].find("broken.png"), std::string::npos);
    EXPECT_NE(lines[0].find("placeholder"), std::string::npos);
}

TEST_F(SpriteDrawingTest, APositionThatIsNotANumberDrawsNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    addSprite("halves", {nan, 0});
    addSprite("halves", {0, std::numeric_limits<double>::infinity()})->setScale(nan);
    EXPECT_EQ(drawAndCapture(view).count([](SDL_Color c) { return !isBlack(c); }), 0);
}

TEST_F(SpriteDrawingTest, AHugeSpriteCoversTheViewWithItsMiddle) {
    addSprite("halves", {0, 0})->setScale(1.0e5);
    const Capture frame = drawAndCapture(view);
    // Two texels fill the view, filtered from red into blue.
    EXPECT_EQ(frame.count([](SDL_Color c) { return c.g < 60 && c.r + c.b > 200; }),
              kWidth * kHeight);
    EXPECT_GT(frame.at(0, kHeight / 2).r, frame.at(kWidth - 1, kHeight / 2).r);
}

TEST_F(SpriteDrawingTest, AZeroSizedViewDrawsNothingAndDoesNotFail) {
    addSprite("halves", {0, 0});
    view.setFrame({{0, 0}, {0, 0}});
    EXPECT_EQ(drawAndCapture(view).count(isMagenta), kWidth * kHeight);
}

// The renderer draws a scaled sprite from a copy stretched once to its drawn size. Its pixels
// must be exactly those of SDL's own scaled copy, wherever the sprite lands, however it is
// scaled, faded or tinted, and where it runs over the view's edge.
TEST_F(SpriteDrawingTest, AStretchedSpriteHasExactlyThePixelsOfSdlsScaledCopy) {
    writeImage("speckled", 40, 30, [](int x, int y) {
        const auto v = static_cast<Uint8>((x * 37 + y * 91 + x * y * 13) % 256);
        return SDL_Color{v, static_cast<Uint8>(255 - v), static_cast<Uint8>(x * 6),
                         static_cast<Uint8>(y < 4 ? 0 : 40 + (x * 5 + y * 7) % 216)};
    });
    struct Case {
        CGPoint position;
        double scale;
        double alpha;
        double blend;
    };
    const Case cases[] = {{{0.3, -0.7}, 1.37, 1.0, 0.0},    {{-51.25, 80.5}, 0.63, 1.0, 0.0},
                          {{12.9, 3.1}, 2.51, 0.6, 0.0},    {{-190.4, 270.2}, 1.04, 1.0, 0.0},
                          {{140.7, -20.0}, 3.3, 0.85, 0.5}, {{0.0, 0.0}, 1.0, 1.0, 0.0}};
    SdlTextureMaker maker(sdl);
    GpuTextures gpu(maker);
    TextureCache own(maker, gpu);
    const auto texture = SKTexture::textureWithImageNamed("speckled");
    for (const Case& c : cases) {
        auto sprite = addSprite("speckled", c.position);
        sprite->setScale(c.scale);
        sprite->setAlpha(c.alpha);
        sprite->setColor({0.2, 0.9, 0.4, 1.0});
        sprite->setColorBlendFactor(c.blend);
        const Capture drawn = drawAndCapture(view);
        sprite->removeFromParent();

        // The same sprite as SDL copies it: scaled by SDL, at the rectangle the scene gives.
        SDL_SetRenderDrawColor(sdl, 0, 0, 0, 255);
        SDL_RenderClear(sdl);
        const double w = texture->size().width * c.scale;
        const double h = texture->size().height * c.scale;
        const auto left = static_cast<float>(kWidth / 2.0 + (c.position.x - w / 2.0));
        const auto top = static_cast<float>(kHeight / 2.0 - (c.position.y + h / 2.0));
        const SDL_FRect destination{
            left, top, static_cast<float>(kWidth / 2.0 + (c.position.x + w / 2.0)) - left,
            static_cast<float>(kHeight / 2.0 - (c.position.y - h / 2.0)) - top};
        SDL_Texture* original = own.texture(*texture);
        const auto tint = [&c](double channel) {
            return static_cast<Uint8>(std::lround((1.0 + (channel - 1.0) * c.blend) * 255.0));
        };
        SDL_SetTextureColorMod(original, tint(0.2), tint(0.9), tint(0.4));
        SDL_SetTextureAlphaMod(original, static_cast<Uint8>(std::lround(c.alpha * 255.0)));
        SDL_RenderCopyExF(sdl, original, nullptr, &destination, 0.0, nullptr, SDL_FLIP_NONE);
        const Capture expected = capture();

        int different = 0;
        for (std::size_t i = 0; i < drawn.pixels.size(); ++i) {
            const SDL_Color a = drawn.pixels[i];
            const SDL_Color b = expected.pixels[i];
            different += (a.r != b.r || a.g != b.g || a.b != b.b) ? 1 : 0;
        }
        EXPECT_EQ(different, 0) << "at scale " << c.scale << ", alpha " << c.alpha;
    }
    EXPECT_TRUE(errorLines().empty());
}

}  // namespace
}  // namespace rovuzu
