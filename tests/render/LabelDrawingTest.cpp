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

    std::shared_ptr<SKLabelNode> addLabel(const std::string& text, CGPoint position) {
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
    addLabel("HOME", {0, 0});
    draw(view);
    const SDL_Rect text = capture().bounds(isLit);
    const SDL_Point at = pixelOf(0, 0);
    ASSERT_GT(text.w, 40);
    EXPECT_NEAR(text.x + text.w / 2.0, at.x, 3.0);
    // Capitals stand on the baseline and reach about 0.7 of the size above it.
    EXPECT_NEAR(text.y + text.h, at.y, 2);
    EXPECT_NEAR(text.h, 0.72 * 40, 5);
    EXPECT_TRUE(errorLines().empty());
}

TEST_F(LabelDrawingTest, ARightAlignedLabelEndsAtItsPosition) {
    addLabel("HOME", {0, 0})->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    draw(view);
    const SDL_Rect text = capture().bounds(isLit);
    const SDL_Point at = pixelOf(0, 0);
    ASSERT_GT(text.w, 40);
    EXPECT_LE(text.x + text.w, at.x + 1);
    EXPECT_GE(text.x + text.w, at.x - 5);
}

TEST_F(LabelDrawingTest, ALeftAlignedLabelStartsAtItsPosition) {
    addLabel("HOME", {0, 0})->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::left);
    draw(view);
    const SDL_Rect text = capture().bounds(isLit);
    const SDL_Point at = pixelOf(0, 0);
    EXPECT_GE(text.x, at.x - 1);
    EXPECT_LE(text.x, at.x + 5);
}

TEST_F(LabelDrawingTest, ARightAlignedLabelNearTheRightEdgeIsWhollyOnScreen) {
    // 25 points from the right edge, as the game places its elapsed-time label.
    const double x = kViewWidth - 2.0 * 25.0;
    auto label = addLabel("Te ha llevado: 12,5", {x, -100});
    label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
    label->setFontSize(24);
    draw(view);
    const Frame frame = capture();
    const SDL_Rect text = frame.bounds(isLit);
    ASSERT_GT(text.w, 100);
    EXPECT_GT(text.x, 0);
    EXPECT_LE(text.x + text.w, pixelOf(x, 0).x + 1);
    EXPECT_EQ(frame.count(isLit, kWidth - 40, 0, kWidth, kHeight), 0);
}

TEST_F(LabelDrawingTest, TextIsDrawnInTheFontColour) {
    addLabel("HOME", {0, 0})->setFontColor({1.0, 0.0, 0.0, 1.0});
    draw(view);
    const Frame frame = capture();
    EXPECT_GT(frame.count([](SDL_Color c) { return isNear(c, 255, 0, 0, 30); }), 100);
    EXPECT_EQ(frame.count([](SDL_Color c) { return c.g > 60; }), 0);
}

TEST_F(LabelDrawingTest, ABlendColourWithFactorZeroChangesNothing) {
    auto label = addLabel("HOME", {0, 0});
    label->setColor({0.0, 1.0, 0.0, 1.0});
    draw(view);
    const Frame frame = capture();
    EXPECT_GT(frame.count([](SDL_Color c) { return isNear(c, 255, 255, 255, 30); }), 100);
    EXPECT_EQ(frame.count([](SDL_Color c) { return c.g > c.r + 40; }), 0);
}

TEST_F(LabelDrawingTest, AFullBlendFactorDrawsInTheBlendColour) {
    auto label = addLabel("HOME", {0, 0});
    label->setColor({0.0, 1.0, 0.0, 1.0});
    label->setColorBlendFactor(1.0);
    draw(view);
    EXPECT_GT(capture().count([](SDL_Color c) { return isNear(c, 0, 255, 0, 30); }), 100);
}

TEST_F(LabelDrawingTest, AlphaZeroDrawsNothing) {
    addLabel("HOME", {0, 0})->setAlpha(0.0);
    draw(view);
    EXPECT_EQ(capture().count(isLit), 0);
}

TEST_F(LabelDrawingTest, HalfAlphaDrawsHalfAsBright) {
    addLabel("HOME", {0, 0})->setAlpha(0.5);
    draw(view);
    const Frame frame = capture();
    EXPECT_EQ(frame.count([](SDL_Color c) { return c.r > 140; }), 0);
    EXPECT_GT(frame.count([](SDL_Color c) { return c.r > 110; }), 100);
}

TEST_F(LabelDrawingTest, TheDefaultLabelIsWhiteAndCentred) {
    auto label = SKLabelNode::labelNodeWithText("Hola");
    scene->addChild(label);
    draw(view);
    const SDL_Rect text = capture().bounds(isLit);
    ASSERT_GT(text.w, 20);
    EXPECT_NEAR(text.x + text.w / 2.0, pixelOf(0, 0).x, 3.0);
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(LabelDrawingTest, TheHudTextShowsInItsRegion) {
    // The game's HUD: Avenir Next at 30, white, 283.5 units above the centre of a 375 x 667 view.
    SKView phone{CGRect{{0, 0}, {375, 667}}};
    auto hud = presentScene(phone);
    auto label = SKLabelNode::labelNodeWithText("Objetivos: 12");
    label->setFontName("Avenir Next");
    label->setFontSize(30);
    label->setPosition({0, 283.5});
    hud->addChild(label);
    draw(phone);
    const Frame frame = capture();
    // The window is 400 x 600 pixels: the top-left part of the 750 x 1334 picture.
    const int baseline = static_cast<int>(1334 / 2.0 - 283.5);
    EXPECT_GT(frame.count(isLit, 200, baseline - 30, 400, baseline + 2), 100);
    EXPECT_EQ(frame.count(isLit, 0, baseline + 12, 400, 600), 0);
}

TEST_F(LabelDrawingTest, AMissingFontSaysSoOnceAndStillDrawsText) {
    auto label = addLabel("HOME", {0, 0});
    label->setFontName("Rovuzu Imaginary Sans");
    draw(view);
    draw(view);
    EXPECT_GT(capture().count(isLit), 100);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0].rfind("rovuzu: font 'Rovuzu Imaginary Sans' not found; using '", 0), 0U)
        << lines[0];
}

TEST_F(LabelDrawingTest, EmptyTextDrawsNothing) {
    addLabel("", {0, 0});
    draw(view);
    EXPECT_EQ(capture().count(isLit), 0);
}

}  // namespace
}  // namespace rovuzu
