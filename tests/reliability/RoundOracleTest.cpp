#include <filesystem>
#include <optional>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/Stage.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "tests/support/TestPlatform.hpp"
#include "tools/soak/RoundOracle.hpp"

namespace rovuzu {
namespace {

// The soak is only as good as its oracle: a round that goes wrong must be noticed.
class RoundOracleTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
        ASSERT_TRUE(application.launch("AppDelegate", {375, 667})) << err.str();
        loop.emplace(application);
    }

    // Runs frames at 60 per second up to `time`, checking after each one.
    void runAndCheck(double time) {
        for (; static_cast<double>(frame_) / 60.0 <= time; ++frame_) {
            const double now = static_cast<double>(frame_) / 60.0;
            clock.advanceTo(now);
            loop->step(now, {});
            oracle.check(now, nullptr, static_cast<std::int64_t>(outLines().size()),
                         static_cast<std::int64_t>(audio.sounds.size()), application, *loop);
        }
    }

    [[nodiscard]] Scene& scene() const { return dynamic_cast<Scene&>(*loop->arView()->scene()); }

    [[nodiscard]] bool failedWith(const std::string& invariant) const {
        return std::any_of(figures.failureNotes.begin(), figures.failureNotes.end(),
                           [&](const std::string& note) { return note.ends_with(invariant); });
    }

    UIApplication application;
    std::optional<Stage> loop;
    SoakFigures figures;
    RoundOracle oracle{"test round", figures};

  private:
    long frame_ = 0;
};

TEST_F(RoundOracleTest, PassesAnUntouchedRoundAndNoticesEachFault) {
    runAndCheck(10.0);
    EXPECT_EQ(figures.failures, 0) << figures.failureNotes.front();
    EXPECT_GT(figures.checks, 600 * 10);
    EXPECT_EQ(scene().targetsCreated(), 3);

    scene().setTargetCount(scene().targetCount() + 1);
    runAndCheck(10.1);
    EXPECT_TRUE(failedWith("targetCount is placed minus hit"));
    scene().setTargetCount(scene().targetCount() - 1);

    figures = {};
    scene().endGame();
    runAndCheck(10.2);
    EXPECT_TRUE(failedWith("the round ends exactly when all 25 are placed and hit"));
    EXPECT_TRUE(failedWith("the HUD shows until the end"));
    EXPECT_FALSE(failedWith("targetCount is placed minus hit"));

    figures = {};
    scene().spawnTarget();
    runAndCheck(10.3);
    EXPECT_TRUE(failedWith("one target per spawn tick, 25 at most"));
}

}  // namespace
}  // namespace rovuzu
