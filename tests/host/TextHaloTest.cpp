#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/host/core/TextHalo.hpp"

namespace rovuzu {
namespace {

// One pixel of a halo picture.
struct Texel {
    int r, g, b, a;
};

Texel texelAt(const TextHalo::Picture& picture, int x, int y) {
    const auto i = (static_cast<std::size_t>(y) * picture.width + x) * 4;
    return {picture.rgba[i], picture.rgba[i + 1], picture.rgba[i + 2], picture.rgba[i + 3]};
}

TEST(TextHaloTest, TheHaloIsAShareOfTheEmButNeverThinnerThanAPoint) {
    EXPECT_DOUBLE_EQ(TextHalo::thickness(100.0, 2.0), 8.0);
    EXPECT_DOUBLE_EQ(TextHalo::thickness(22.0, 2.0), 2.0) << "small type: one point";
    EXPECT_DOUBLE_EQ(TextHalo::thickness(22.0, 1.0), 1.76);
}

TEST(TextHaloTest, ADotGetsARoundBlackHaloThatIsSolidThenFadesOut) {
    const TextHalo::Picture halo = TextHalo::around({255}, 1, 1, 3.0);
    // Three pixels solid and three fading: six pixels of padding on every side.
    ASSERT_EQ(halo.padding, 6);
    ASSERT_EQ(halo.width, 13);
    ASSERT_EQ(halo.height, 13);
    ASSERT_EQ(halo.rgba.size(), 13U * 13U * 4U);
    const int c = 6;
    const Texel dot = texelAt(halo, c, c);
    EXPECT_EQ(dot.r, 255);
    EXPECT_EQ(dot.a, 255);
    for (const auto& [dx, dy] : {std::pair{3, 0}, std::pair{0, -3}, std::pair{2, 2}}) {
        const Texel solid = texelAt(halo, c + dx, c + dy);
        EXPECT_EQ(solid.r, 0) << dx << "," << dy;
        EXPECT_EQ(solid.a, 255) << dx << "," << dy;
    }
    // A third of the way into the fade it has eased off by a quarter.
    EXPECT_NEAR(texelAt(halo, c + 4, c).a, 255 * 0.74, 2);
    EXPECT_EQ(texelAt(halo, c - 4, c).a, texelAt(halo, c, c + 4).a);
    // Round, not square: the corner three pixels along and three down lies 4.24 pixels away,
    // so it fades between the pixels four and five along.
    EXPECT_LT(texelAt(halo, c + 3, c + 3).a, texelAt(halo, c + 4, c).a);
    EXPECT_GT(texelAt(halo, c + 3, c + 3).a, texelAt(halo, c + 5, c).a);
    // Beyond it, nothing: clear, and black, so that a stretched picture bleeds no white.
    for (const auto& [x, y] : {std::pair{0, c}, std::pair{12, 12}, std::pair{c, 0}}) {
        const Texel clear = texelAt(halo, x, y);
        EXPECT_EQ(clear.a, 0) << x << "," << y;
        EXPECT_EQ(clear.r, 0) << x << "," << y;
    }
}

TEST(TextHaloTest, TheGlyphsEdgeIsWhiteOverTheHaloAndTheHaloIsBlack) {
    // A half-covered pixel beside a covered one: over the halo it shows half white, opaque.
    const TextHalo::Picture halo = TextHalo::around({255, 128}, 2, 1, 1.0);
    ASSERT_EQ(halo.padding, 2);
    const Texel edge = texelAt(halo, 3, 2);
    EXPECT_EQ(edge.a, 255);
    EXPECT_EQ(edge.r, 128);
    EXPECT_EQ(edge.r, edge.g);
    EXPECT_EQ(edge.r, edge.b);
    for (int x = 0; x < halo.width; ++x) {
        for (int y = 0; y < halo.height; ++y) {
            const Texel t = texelAt(halo, x, y);
            if (x < 2 || x > 3 || y != 2) {
                EXPECT_EQ(t.r + t.g + t.b, 0) << x << "," << y << ": the halo is black";
            }
        }
    }
}

TEST(TextHaloTest, AWideHaloOverALongLineIsExactAllAlongIt) {
    // A line's worth of pixels, half of them ink in stripes, with a wide halo: the distances
    // are exact wherever they are taken.
    const int width = 1200;
    const int height = 100;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * height, 0);
    for (int y = 40; y < 60; ++y) {
        for (int x = 0; x < width; x += 40) {
            coverage[static_cast<std::size_t>(y) * width + x] = 255;
        }
    }
    const TextHalo::Picture halo = TextHalo::around(coverage, width, height, 6.0);
    ASSERT_EQ(halo.padding, 12);
    const int y = halo.padding + 50;
    for (const int stripe : {0, 400, 1160}) {
        const int x = halo.padding + stripe;
        EXPECT_EQ(texelAt(halo, x, y).r, 255);
        EXPECT_EQ(texelAt(halo, x + 6, y).a, 255);
        EXPECT_EQ(texelAt(halo, x - 6, y).a, 255);
        EXPECT_EQ(texelAt(halo, x + 20, y).a, 0) << "between the stripes";
    }
}

TEST(TextHaloTest, NoPixelsOrAMismatchedBitmapGiveNothing) {
    EXPECT_TRUE(TextHalo::around({}, 0, 0, 2.0).rgba.empty());
    EXPECT_TRUE(TextHalo::around({255, 255}, 3, 1, 2.0).rgba.empty());
    const TextHalo::Picture bare = TextHalo::around({0}, 1, 1, std::nan(""));
    ASSERT_EQ(bare.rgba.size(), 4U * bare.width * bare.height);
    EXPECT_EQ(texelAt(bare, bare.padding, bare.padding).a, 0) << "no ink, no halo";
}

}  // namespace
}  // namespace rovuzu
