#include <gtest/gtest.h>

#include "platform/foundation/NSBundle.hpp"
#include "tools/soak/SoakRound.hpp"

namespace rovuzu {
namespace {

std::string allNotes(const SoakFigures& figures) {
    std::string notes;
    for (const std::string& note : figures.failureNotes) {
        notes += note + "\n";
    }
    return notes;
}

// A quick soak through the real entry path with the game's own resources: twenty roaming
// rounds and one tap storm, every invariant checked after every turn. tools/soak.sh runs
// thousands.
TEST(SoakSmokeTest, TwentyRoundsAndATapStormKeepEveryInvariant) {
    NSBundle::setMainBundlePath(ROVUZU_SOURCE_RESOURCES);
    SoakFigures figures;
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        figures += SoakRound::run({seed, RandomPlayer::Style::roam, std::nullopt});
    }
    const SoakFigures storm = SoakRound::run({21, RandomPlayer::Style::storm, std::nullopt});
    figures += storm;
    NSBundle::setMainBundlePath({});

    EXPECT_EQ(figures.failures, 0) << allNotes(figures);
    EXPECT_EQ(figures.rounds, 21);
    EXPECT_EQ(figures.stormRounds, 1);
    EXPECT_GT(figures.gameOvers, 10);
    EXPECT_GT(figures.aimedTaps, 100);
    // The storm taps a thousand times a virtual second for its whole round of 80 s or more.
    EXPECT_GT(storm.taps, 75'000);
    EXPECT_GE(figures.checks, figures.steps * 15);
}

}  // namespace
}  // namespace rovuzu
