#include <gtest/gtest.h>

#include "platform/foundation/NumberText.hpp"

namespace rovuzu {
namespace {

TEST(NumberTextTest, WritesTheShortestRoundTripWithATrailingZeroOnWholeValues) {
    EXPECT_EQ(describeDouble(100.0), "100.0");
    EXPECT_EQ(describeDouble(-187.5), "-187.5");
    EXPECT_EQ(describeDouble(-374.8), "-374.8");
    EXPECT_EQ(describeDouble(666.6), "666.6");
    EXPECT_EQ(describeDouble(0.0), "0.0");
    EXPECT_EQ(describeDouble(-0.0), "-0.0");
    EXPECT_EQ(describeDouble(283.49999999999994), "283.49999999999994");
    EXPECT_EQ(describeDouble(0.1 + 0.2), "0.30000000000000004");
    for (const double value : {-374.8, 666.6, 1.0 / 3.0, 12345.678}) {
        EXPECT_EQ(std::stod(describeDouble(value)), value);
    }
}

TEST(NumberTextTest, ReadsOnlyAWholeFiniteNumberAndWidensFloatsByTheirShortestText) {
    EXPECT_EQ(readDouble("187.5"), 187.5);
    EXPECT_EQ(readDouble("-2e3"), -2000.0);
    EXPECT_EQ(readDouble("0.30000000000000004"), 0.1 + 0.2);
    for (const char* bad : {"", " 1", "1 ", "1x", "0x10", "1e400", "nan", "inf", "+", "-"}) {
        EXPECT_FALSE(readDouble(bad)) << bad;
    }
    EXPECT_EQ(shortestDouble(0.8671395F), 0.8671395);
    EXPECT_EQ(describeDouble(shortestDouble(0.1F)), "0.1");
}

}  // namespace
}  // namespace rovuzu
