#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/host/core/PixelRatio.hpp"

namespace rovuzu {
namespace {

TEST(PixelRatioTest, AViewThatFitsKeepsTheWantedRatio) {
    EXPECT_EQ(PixelRatio::largestFitting({390, 844}, 3.0, {8192, 8192}), 3.0);
    EXPECT_EQ(PixelRatio::largestFitting({2730, 2730}, 3.0, {8192, 8192}), 3.0);
    // No limit at all, as SDL's software renderer has.
    EXPECT_EQ(PixelRatio::largestFitting({3000, 3000}, 3.0, {0, 0}), 3.0);
}

TEST(PixelRatioTest, ALargerViewGetsTheLargestRatioAtWhichBothSidesFit) {
    // 3000 points a side at 3 would be 9000 pixels: the viewport's 8192 a side allows 2.73...
    const double viewport = PixelRatio::largestFitting({3000, 3000}, 3.0, {8192, 8192});
    EXPECT_NEAR(viewport, 8192.0 / 3000.0, 1e-12);
    // ... and a drawing buffer the browser capped at 5760 allows 1.92.
    EXPECT_NEAR(PixelRatio::largestFitting({3000, 3000}, viewport, {5760, 5760}), 1.92, 1e-12);
    // The longer side rules, whichever it is.
    EXPECT_NEAR(PixelRatio::largestFitting({3000, 1000}, 3.0, {8192, 8192}), 8192.0 / 3000.0,
                1e-12);
    EXPECT_NEAR(PixelRatio::largestFitting({1000, 4000}, 3.0, {8192, 8192}), 2.048, 1e-12);
    // A limit on one side only.
    EXPECT_NEAR(PixelRatio::largestFitting({1000, 4000}, 3.0, {0, 6000}), 1.5, 1e-12);
}

TEST(PixelRatioTest, TheFittedSidesRoundToWithinTheLimitAndTheLongerOneReachesIt) {
    for (double width = 1001.0; width < 9000.0; width += 97.3) {
        for (const int limit : {4096, 5760, 8191, 8192}) {
            const CGSize view{width, width / 1.7};
            const double ratio = PixelRatio::largestFitting(view, 3.0, {limit, limit});
            ASSERT_LE(ratio, 3.0);
            EXPECT_LE(std::round(view.width * ratio), limit) << width << " " << limit;
            EXPECT_LE(std::round(view.height * ratio), limit) << width << " " << limit;
            if (ratio < 3.0) {
                // Lowered, the longer side takes every pixel it may: no larger ratio fits.
                EXPECT_EQ(std::round(view.width * ratio), limit) << width << " " << limit;
            }
        }
    }
}

TEST(PixelRatioTest, NothingSensibleIsLeftAsItIs) {
    EXPECT_EQ(PixelRatio::largestFitting({0, 0}, 2.0, {100, 100}), 2.0);
    EXPECT_EQ(PixelRatio::largestFitting({500, 500}, 0.0, {100, 100}), 0.0);
    EXPECT_TRUE(std::isnan(
        PixelRatio::largestFitting({500, 500}, std::numeric_limits<double>::quiet_NaN(), {1, 1})));
}

}  // namespace
}  // namespace rovuzu
