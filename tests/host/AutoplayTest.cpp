#include <gtest/gtest.h>

#include "platform/arkit/ARSession.hpp"
#include "platform/host/core/Autoplay.hpp"

namespace rovuzu {
namespace {

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
    // Facing the anchor at the world's origin from the origin: straight ahead, upright.
    EXPECT_TRUE(std::holds_alternative<input::Look>(look[0]));
    EXPECT_EQ(player.nextTime(), 3.5 + Autoplay::kTapDelay);
    const auto tap = player.takeDue(3.5 + Autoplay::kTapDelay, {}, view);
    ASSERT_EQ(tap, (std::vector<Input>{input::Touches{{{187.5, 333.5}}}}));
    EXPECT_FALSE(player.nextTime());
}

// A window's frame may be late enough to span both moves; the tap still comes a frame after
// the turn, so that it lands where the turned view shows the target.
TEST_F(AutoplayTest, ASlowFrameGetsTheTurnAndOnlyTheNextFrameTheTap) {
    const auto first = player.takeDue(4.0, {}, view);
    ASSERT_EQ(first.size(), 1U);
    EXPECT_TRUE(std::holds_alternative<input::Look>(first[0]));
    const auto second = player.takeDue(4.0, {}, view);
    ASSERT_EQ(second.size(), 1U);
    EXPECT_TRUE(std::holds_alternative<input::Touches>(second[0]));
}

}  // namespace
}  // namespace rovuzu
