#include <optional>

#include "platform/spritekit/SKLabelNode.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

class LabelDrawingTest : public RenderTest {
  protected:
    void SetUp() override {
        RenderTest::SetUp();
        scene = presentScene(view);
    }

    std::shared_ptr<SKLabelNode> addLabel(const std::string& text, CGPoint position = {0, 0}) {
        auto label = SKLabelNode::labelNodeWithText(text);
        label->setFontName("Avenir Next");
        label->setFontSize(40);
        label->setPosition(position);
        scene->addChild(label);
        return label;
    }

    SKView view{CGRect{{0, 0}, {kViewWidth, kViewHeight}}};
    std::shared_ptr<SKScene> scene;
};

TEST_F(LabelDrawingTest, ACentredLabelSitsOnItsBaselineAroundItsPosition) {
    auto label = addLabel("HOME");
    const SDL_Rect text = drawAndCapture(view).bounds(isLit);
    const SDL_Point at = pixelOf(0, 0);
    ASSERT_GT(text.w, 40);
    EXPECT_NEAR(text.x + text.w / 2.0, at.x, 3.0);
    // Capitals stand on the baseline and reach about 0.7 of the size above it.
    EXPECT_NEAR(text.y + text.h, at.y, 2);
    EXPECT_NEAR(text.h, 0.72 * 40, 5);
    // A label with the default font and size is centred too.
    label->removeFromParent();
    scene->addChild(SKLabelNode::labelNodeWithText("Hola"));
    const SDL_Rect plain = drawAndCapture(view).bounds(isLit);
    ASSERT_GT(plain.w, 20);
    EXPECT_NEAR(plain.x + plain.w / 2.0, at.x, 3.0);
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(LabelDrawingTest, ARightAlignedLabelEndsAndALeftAlignedOneStartsAtItsPosition) {
    auto label = addLabel("HOME");
    const int at = pixelOf(0, 0).x;
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    const SDL_Rect right = drawAndCapture(view).bounds(isLit);
    ASSERT_GT(right.w, 40);
    EXPECT_LE(right.x + right.w, at + 1);
    EXPECT_GE(right.x + right.w, at - 5);
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::left);
    const SDL_Rect left = drawAndCapture(view).bounds(isLit);
    EXPECT_GE(left.x, at - 1);
    EXPECT_LE(left.x, at + 5);
}

TEST_F(LabelDrawingTest, ARightAlignedLabelNearTheRightEdgeIsWhollyOnScreen) {
    // 25 points from the right edge, as the game places its elapsed-time label.
    const double x = kViewWidth - 2.0 * 25.0;
    auto label = addLabel("Te ha llevado: 12,5", {x, -100});
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    label->setFontSize(24);
    const Capture frame = drawAndCapture(view);
    const SDL_Rect text = frame.bounds(isLit);
    ASSERT_GT(text.w, 100);
    EXPECT_GT(text.x, 0);
    EXPECT_LE(text.x + text.w, pixelOf(x, 0).x + 1);
    EXPECT_EQ(frame.count(isLit, kWidth - 40, 0, kWidth, kHeight), 0);
}

TEST_F(LabelDrawingTest, TextTakesTheFontColourBlendedTowardsTheColourByTheBlendFactor) {
    struct Case {
        std::optional<UIColor> fontColour;  // none: the default, white
        double blendFactor;
        SDL_Color expected;
        bool (*wrong)(SDL_Color);  // no pixel may pass this
    };
    const Case cases[] = {
        {{}, 0.0, {255, 255, 255, 255}, [](SDL_Color c) { return c.g > c.r + 40; }},
        {{}, 1.0, {0, 255, 0, 255}, [](SDL_Color c) { return c.r > 60; }},
        {UIColor{1.0, 0.0, 0.0, 1.0}, 0.0, {255, 0, 0, 255}, [](SDL_Color c) { return c.g > 60; }}};
    auto label = addLabel("HOME");
    label->setColor({0.0, 1.0, 0.0, 1.0});
    for (const Case& c : cases) {
        if (c.fontColour) {
            label->setFontColor(*c.fontColour);
        }
        label->setColorBlendFactor(c.blendFactor);
        const Capture frame = drawAndCapture(view);
        const SDL_Color e = c.expected;
        EXPECT_GT(frame.count([e](SDL_Color p) { return isNear(p, e.r, e.g, e.b, 30); }), 100)
            << "blend factor " << c.blendFactor;
        EXPECT_EQ(frame.count(c.wrong), 0) << "blend factor " << c.blendFactor;
    }
}

TEST_F(LabelDrawingTest, HalfAlphaDrawsHalfAsBrightAndNoAlphaOrNoTextDrawsNothing) {
    auto label = addLabel("HOME");
    label->setAlpha(0.5);
    const Capture half = drawAndCapture(view);
    EXPECT_EQ(half.count([](SDL_Color c) { return c.r > 140; }), 0);
    EXPECT_GT(half.count([](SDL_Color c) { return c.r > 110; }), 100);
    label->setAlpha(0.0);
    EXPECT_EQ(drawAndCapture(view).count(isLit), 0);
    label->setAlpha(1.0);
    label->setText("");
    EXPECT_EQ(drawAndCapture(view).count(isLit), 0);
}

TEST_F(LabelDrawingTest, TheHudTextShowsInItsRegion) {
    // The game's HUD: Avenir Next at 30, white, 283.5 units above the centre of a 375 x 667 view.
    SKView phone{CGRect{{0, 0}, {375, 667}}};
    auto label = SKLabelNode::labelNodeWithText("Objetivos: 12");
    label->setFontName("Avenir Next");
    label->setFontSize(30);
    label->setPosition({0, 283.5});
    presentScene(phone)->addChild(label);
    const Capture frame = drawAndCapture(phone);
    // The window is 400 x 600 pixels: the top-left part of the 750 x 1334 picture.
    const int baseline = static_cast<int>(1334 / 2.0 - 283.5);
    EXPECT_GT(frame.count(isLit, 200, baseline - 30, 400, baseline + 2), 100);
    EXPECT_EQ(frame.count(isLit, 0, baseline + 12, 400, 600), 0);
}

TEST_F(LabelDrawingTest, AMissingFontSaysSoOnceAndStillDrawsText) {
    addLabel("HOME")->setFontName("Rovuzu Imaginary Sans");
    draw(view);
    EXPECT_GT(drawAndCapture(view).count(isLit), 100);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("rovuzu: font 'Rovuzu Imaginary Sans' not found; using '", 0), 0U)
        << lines[0];
}

}  // namespace
}  // namespace rovuzu
