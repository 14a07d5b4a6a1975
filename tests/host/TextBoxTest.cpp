#include <gtest/gtest.h>

#include "platform/host/core/TextBox.hpp"

namespace rovuzu {
namespace {

// A 40-pixel line whose baseline point is at (100, 50).
Frame::Text line(SKLabelHorizontalAlignmentMode alignment, double size = 40.0) {
    Frame::Text text;
    text.text = "HOME";
    text.sizeX = size;
    text.sizeY = size;
    text.baseline = {100.0F, 50.0F};
    text.alignment = alignment;
    text.halo = 0.08 * size;
    return text;
}

TEST(TextBoxTest, TheHalosPaddingWidensTheBoxAndTheGlyphsKeepTheirPlace) {
    using Mode = SKLabelHorizontalAlignmentMode;
    // Set 80 pixels wide and 50 high, the baseline 40 under the top, with 6 pixels of halo.
    EXPECT_EQ(TextBox::of(line(Mode::center), 80, 50, 40, 0),
              (PixelBox{60.0F, 10.0F, 80.0F, 50.0F}));
    EXPECT_EQ(TextBox::of(line(Mode::center), 80, 50, 40, 6),
              (PixelBox{54.0F, 4.0F, 92.0F, 62.0F}));
    EXPECT_EQ(TextBox::of(line(Mode::left), 80, 50, 40, 6).x, 94.0F);
    EXPECT_EQ(TextBox::of(line(Mode::right), 80, 50, 40, 6).x, 14.0F);
}

TEST(TextBoxTest, TextSetSmallerThanItIsDrawnGetsItsHaloAndPaddingScaledAlike) {
    // Drawn at 1024 pixels, set at 512: every set pixel is two drawn ones.
    const Frame::Text big = line(SKLabelHorizontalAlignmentMode::left, 1024.0);
    ASSERT_EQ(TextBox::setSize(big), TextBox::kLargestSetPixels);
    EXPECT_DOUBLE_EQ(TextBox::setHalo(big), 0.08 * 512);
    EXPECT_EQ(TextBox::of(big, 1000, 600, 500, 10), (PixelBox{80.0F, -970.0F, 2040.0F, 1240.0F}));
    Frame::Text wild = big;
    wild.halo = 1.0e12;
    EXPECT_DOUBLE_EQ(TextBox::setHalo(wild), 512.0) << "never beyond the em";
}

}  // namespace
}  // namespace rovuzu
