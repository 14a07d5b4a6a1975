#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/host/core/ReadoutStrip.hpp"
#include "platform/host/core/TextBox.hpp"
#include "platform/host/core/TextLines.hpp"
#include "tests/support/FakeGpu.hpp"

namespace rovuzu {
namespace {

// Sets every character as a solid block half an em wide, and counts what it was asked to set.
class BlockTypesetter final : public TextLines::Typesetter {
  public:
    std::optional<Glyphs> set(const std::string& fontName, int pixelSize,
                              std::string_view text) override {
        asked.push_back(fontName + " " + std::to_string(pixelSize) + " " + std::string(text));
        if (fontName == "Unreadable") {
            return std::nullopt;
        }
        Glyphs glyphs{
            static_cast<int>(text.size()) * pixelSize / 2, pixelSize, pixelSize * 3 / 4, {}};
        glyphs.coverage.assign(static_cast<std::size_t>(glyphs.width) * glyphs.height, 255);
        return glyphs;
    }

    std::vector<std::string> asked;
};

class TextLinesTest : public ::testing::Test {
  protected:
    FakeGpu gpu;
    GpuTextures textures{gpu};
    BlockTypesetter typesetter;
    TextLines lines{typesetter, textures};
};

TEST_F(TextLinesTest, ALineIsSetOnceIntoAHaloedTextureAndKeptWhileItIsDrawn) {
    const TextLines::Line* line = lines.line("Avenir Next", 20, 2.0, "Hola");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->width, 40);
    EXPECT_EQ(line->height, 20);
    EXPECT_EQ(line->ascent, 15);
    // Two pixels of solid halo and two more fading: four on every side.
    EXPECT_EQ(line->padding, 4);
    const GpuTextures::Recipe& made = gpu.held.at(lines.handle(*line));
    EXPECT_EQ(made.pixels->width(), 48);
    EXPECT_EQ(made.pixels->height(), 28);
    // White ink in the middle, clear black at the corner, set for the nearest texel.
    EXPECT_EQ(made.pixels->pixel(24, 14).a, 1.0F);
    EXPECT_EQ(made.pixels->pixel(24, 14).r, 1.0F);
    EXPECT_EQ(made.pixels->pixel(0, 0).a, 0.0F);
    EXPECT_FALSE(made.smooth);

    EXPECT_EQ(lines.line("Avenir Next", 20, 2.0, "Hola"), line);
    ASSERT_NE(lines.line("Avenir Next", 22, 2.0, "Hola"), nullptr);
    EXPECT_EQ(typesetter.asked,
              (std::vector<std::string>{"Avenir Next 20 Hola", "Avenir Next 22 Hola"}));
    EXPECT_EQ(gpu.held.size(), 2U);

    // Drawn every frame, the first stays; the second, undrawn, goes after a couple of seconds.
    for (int frame = 0; frame < 121; ++frame) {
        EXPECT_EQ(lines.line("Avenir Next", 20, 2.0, "Hola"), line);
        lines.endFrame();
    }
    EXPECT_EQ(gpu.held.size(), 1U);
    EXPECT_EQ(typesetter.asked.size(), 2U);
}

TEST_F(TextLinesTest, NothingIsDrawnForEmptyTextAndUnsettableTextIsAskedForOnce) {
    EXPECT_EQ(lines.line("Avenir Next", 20, 2.0, ""), nullptr);
    EXPECT_EQ(lines.line("Avenir Next", 0, 2.0, "Hola"), nullptr);
    EXPECT_EQ(lines.line("Unreadable", 20, 2.0, "Hola"), nullptr);
    EXPECT_EQ(lines.line("Unreadable", 20, 2.0, "Hola"), nullptr);
    EXPECT_EQ(typesetter.asked, std::vector<std::string>{"Unreadable 20 Hola"});
    EXPECT_EQ(gpu.made, 0);
}

TEST_F(TextLinesTest, AFramesTextLandsInItsBoxAndNothingIsDrawnWhileTheGpuIsAway) {
    Frame::Text text;
    text.text = "Faltan: 3";
    text.fontName = "Avenir Next";
    text.sizeX = 64.0;
    text.sizeY = 64.0;
    text.baseline = {187.5F, 100.0F};
    text.halo = 5.12;
    const auto placed = lines.place(text);
    ASSERT_TRUE(placed);
    const TextLines::Line* line = lines.line("Avenir Next", 64, TextBox::setHalo(text), text.text);
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(placed->texture, lines.handle(*line));
    EXPECT_EQ(placed->box,
              TextBox::of(text, line->width, line->height, line->ascent, line->padding));

    textures.release();
    EXPECT_FALSE(lines.place(text));
    // A line first drawn while the GPU is away is set, and made with the others at the restore.
    text.text = "Faltan: 2";
    EXPECT_FALSE(lines.place(text));
    EXPECT_EQ(typesetter.asked.size(), 2U);
    textures.restore();
    const auto back = lines.place(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(gpu.held.at(back->texture).pixels->width(), 9 * 32 + 2 * line->padding);
    EXPECT_EQ(typesetter.asked.size(), 2U);
}

TEST_F(TextLinesTest, AReadoutSitsOnADarkStripInItsCorner) {
    Frame frame;
    frame.area = {0, 0, 750, 1334};
    frame.pixelsPerPoint = 2.0;
    EXPECT_FALSE(ReadoutStrip::of(lines, "", Readouts::Corner::bottomRight, frame));
    const auto corner = ReadoutStrip::of(lines, "2 nodes", Readouts::Corner::bottomRight, frame);
    ASSERT_TRUE(corner);
    EXPECT_EQ(typesetter.asked.back(), "Avenir Next 22 2 nodes");
    // The strip ends at the view's corner and holds the line's glyphs, halo aside.
    const PixelArea& backing = corner->backing;
    EXPECT_EQ(backing.x + backing.width, 750);
    EXPECT_EQ(backing.y + backing.height, 1334);
    const TextLines::Line* line = lines.line("Avenir Next", 22, Readouts::halo(2.0), "2 nodes");
    ASSERT_NE(line, nullptr);
    const PixelBox& box = corner->text.box;
    EXPECT_EQ(box.width, static_cast<float>(line->width + 2 * line->padding));
    EXPECT_GE(box.x + static_cast<float>(line->padding), static_cast<float>(backing.x));
    EXPECT_LE(box.x + box.width - static_cast<float>(line->padding),
              static_cast<float>(backing.x + backing.width));
    EXPECT_EQ(corner->backingColour.alpha, Readouts::kBackingAlpha);
    // The notice is centred at the top.
    const auto notice =
        ReadoutStrip::of(lines, "Sin seguimiento", Readouts::Corner::topCentre, frame);
    ASSERT_TRUE(notice);
    EXPECT_EQ(notice->backing.y, 0);
    EXPECT_NEAR(notice->backing.x + notice->backing.width / 2.0, 375.0, 1.0);
}

}  // namespace
}  // namespace rovuzu
