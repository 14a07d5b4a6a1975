#include <gtest/gtest.h>

#include "platform/arkit/ARSession.hpp"
#include "platform/host/core/Autoplay.hpp"

namespace rovuzu {
namespace {

using Verb = InputEvent::Verb;

class AutoplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.runWithConfiguration({}, {});
        session.addAnchor(std::make_shared<ARAnchor>(simd_float4x4{1.0F}));
        player.observe(session, 3.0);
    }

    ARSession session;
    Autoplay player;
    const CGSize view{375, 667};
};

TEST_F(AutoplayTest, TurnsAfterItsReactionTimeThenTapsTheMiddleAFrameLater) {
    EXPECT_EQ(player.nextTime(), 3.5);
    EXPECT_TRUE(player.takeDue(3.4, {}, view).empty());
    const auto look = player.takeDue(3.5, {}, view);
    ASSERT_EQ(look.size(), 1U);
    EXPECT_EQ(look[0].verb, Verb::look);
    EXPECT_EQ(player.nextTime(), 3.5 + Autoplay::kTapDelay);
    const auto tap = player.takeDue(3.5 + Autoplay::kTapDelay, {}, view);
    ASSERT_EQ(tap.size(), 1U);
    EXPECT_EQ(tap[0].verb, Verb::tap);
    EXPECT_EQ(tap[0].values, (std::vector<double>{187.5, 333.5}));
    EXPECT_FALSE(player.nextTime());
}

// A window's frame may be late enough to span both moves; the tap still comes a frame after
// the turn, so that it lands where the turned view shows the target.
TEST_F(AutoplayTest, ASlowFrameGetsTheTurnAndOnlyTheNextFrameTheTap) {
    const auto first = player.takeDue(4.0, {}, view);
    ASSERT_EQ(first.size(), 1U);
    EXPECT_EQ(first[0].verb, Verb::look);
    const auto second = player.takeDue(4.0, {}, view);
    ASSERT_EQ(second.size(), 1U);
    EXPECT_EQ(second[0].verb, Verb::tap);
}

}  // namespace
}  // namespace rovuzu
