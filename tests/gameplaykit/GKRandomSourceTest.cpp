#include <gtest/gtest.h>

#include <array>

#include "platform/gameplaykit/GKRandomSource.hpp"

namespace rovuzu {
namespace {

TEST(GKRandomSourceTest, TheSameSeedRepeatsTheSameSequence) {
    GKRandomSource a(42);
    GKRandomSource b(42);
    GKRandomSource c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const float value = a.nextUniform();
        EXPECT_EQ(value, b.nextUniform());
        differs = differs || value != c.nextUniform();
    }
    EXPECT_TRUE(differs);
}

TEST(GKRandomSourceTest, UniformDrawsStayBelowOneAndFillTheRange) {
    GKRandomSource random(1);
    float lowest = 1.0F;
    float highest = 0.0F;
    for (int i = 0; i < 100000; ++i) {
        const float value = random.nextUniform();
        ASSERT_GE(value, 0.0F);
        ASSERT_LT(value, 1.0F);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_LT(lowest, 0.001F);
    EXPECT_GT(highest, 0.999F);
}

TEST(GKRandomSourceTest, BoundedIntegersAreInRangeAndEvenlySpread) {
    GKRandomSource random(3);
    std::array<int, 4> counts{};
    constexpr int kDraws = 40000;
    for (int i = 0; i < kDraws; ++i) {
        const auto value = random.nextIntWithUpperBound(4);
        ASSERT_LT(value, 4U);
        ++counts.at(value);
    }
    double chiSquare = 0.0;
    for (const int count : counts) {
        const double expected = kDraws / 4.0;
        chiSquare += (count - expected) * (count - expected) / expected;
    }
    EXPECT_LT(chiSquare, 16.27);  // p = 0.001 with three degrees of freedom
    EXPECT_EQ(random.nextIntWithUpperBound(0), 0U);
    EXPECT_EQ(random.nextIntWithUpperBound(1), 0U);
}

TEST(GKRandomSourceTest, AHugeBoundIsStillUnbiased) {
    // With a bound of 3·2^30 a plain modulo would favour the lowest quarter of the range.
    GKRandomSource random(9);
    constexpr std::uint32_t kBound = 3U << 30U;
    int low = 0;
    constexpr int kDraws = 30000;
    for (int i = 0; i < kDraws; ++i) {
        low += random.nextIntWithUpperBound(kBound) < (1U << 30U) ? 1 : 0;
    }
    EXPECT_NEAR(low / static_cast<double>(kDraws), 1.0 / 3.0, 0.02);
}

}  // namespace
}  // namespace rovuzu
