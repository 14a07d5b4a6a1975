#include <cmath>
#include <limits>
#include <optional>

#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

using Verb = InputEvent::Verb;

// A camera that always sees the device turned to the same yaw.
class TurnedCamera final : public CameraFeed {
  public:
    std::optional<DevicePose> update(const DevicePose& pose, double /*now*/) override {
        DevicePose turned = pose;
        turned.yaw = 10.0;
        return turned;
    }
    [[nodiscard]] const CameraFrame* picture() const override { return nullptr; }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return 0; }
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override {
        return std::nullopt;
    }
};

// The host loop over the real game, launched from its own resources; what the loop hands the
// game is read back from a recording of it.
class HostLoopTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
        ASSERT_TRUE(application.launch("AppDelegate", {375, 667})) << err.str();
        recorder.emplace(bundle / "session.txt", 1, CGSize{375, 667});
        frames.emplace(application, false, &*recorder);
    }

    void TearDown() override {
        loop.reset();
        frames.reset();
        application.terminate();
        PlatformTest::TearDown();
    }

    HostLoop& start(const HostLoop::Settings& settings, std::vector<InputEvent> script = {}) {
        loop.emplace(application, *frames, settings, std::move(script), clock);
        return *loop;
    }

    // What the loop applied so far, as a script reads it back.
    std::vector<InputEvent> recorded() {
        std::string problem;
        const auto script = Script::load(bundle / "session.txt", problem);
        EXPECT_TRUE(script) << problem;
        return script ? script->events() : std::vector<InputEvent>{};
    }

    UIApplication application;
    std::optional<Recorder> recorder;
    std::optional<FrameLoop> frames;
    std::optional<HostLoop> loop;
};

TEST_F(HostLoopTest, TapsActInATurnOfTheirOwnJustAfterTheFrameOnScreen) {
    HostLoop& host = start({});
    host.turn(1.0);
    host.touch({{187.5, 333.5}});
    host.touch({{10.0, 20.0}, {30.0, 40.0}});
    host.touch({});
    const HostLoop::Turn turn = host.turn(1.5);

    EXPECT_EQ(turn.time, 1.5);
    const double justAfter = std::nextafter(1.0, std::numeric_limits<double>::infinity());
    const auto events = recorded();
    ASSERT_EQ(events.size(), 2U);
    EXPECT_EQ(events[0].verb, Verb::tap);
    EXPECT_EQ(events[0].time, justAfter);
    EXPECT_EQ(events[1].verb, Verb::taps);
    EXPECT_EQ(events[1].values, (std::vector<double>{10.0, 20.0, 30.0, 40.0}));
    EXPECT_EQ(outLines(), (std::vector<std::string>{"El toque ha sido en: (0.0, 0.0)",
                                                    "El toque ha sido en: (-355.0, 627.0)"}));
}

TEST_F(HostLoopTest, TheCameraThenTheControlsThenTheScriptMoveTheDevice) {
    TurnedCamera camera;
    HostLoop& host = start({}, {{2.0, Verb::look, {30.0, 5.0, 0.0}, {}}});
    host.setCamera(&camera);
    host.controls().setKey(PoseController::Key::left, true);
    host.turn(1.0);
    host.turn(2.0);

    std::vector<double> yaws;
    for (const InputEvent& event : recorded()) {
        ASSERT_EQ(event.verb, Verb::look);
        yaws.push_back(event.values[0]);
    }
    // At 1.0 the camera turns to 10 and the held key a second's worth further; at 2.0 the
    // camera turns back, the key turns on, and the script has the last word.
    const double perSecond = PoseController::kTurnDegreesPerSecond;
    EXPECT_EQ(yaws, (std::vector<double>{10.0, 10.0 + perSecond, 10.0, 10.0 + perSecond, 30.0}));
    EXPECT_EQ(frames->pose().yaw, 30.0);
}

TEST_F(HostLoopTest, InTheBackgroundNothingIsDrawnButScreenshotsAndLosingFocusLetsGoOfKeys) {
    HostLoop& host = start({}, {{3.0, Verb::screenshot, {}, "shot.png"}});
    EXPECT_NE(host.turn(1.0).frame, nullptr);
    host.lifecycle(HostLoop::Lifecycle::enterBackground);
    EXPECT_EQ(host.turn(2.0).frame, nullptr);
    EXPECT_TRUE(host.inBackground());
    const HostLoop::Turn shot = host.turn(3.0);
    EXPECT_NE(shot.frame, nullptr);
    EXPECT_EQ(shot.screenshots, std::vector<std::string>{"shot.png"});
    host.lifecycle(HostLoop::Lifecycle::enterForeground);
    EXPECT_NE(host.turn(3.0).frame, nullptr) << "back on screen, the picture is drawn anew";

    host.controls().setKey(PoseController::Key::up, true);
    host.lifecycle(HostLoop::Lifecycle::resignActive);
    host.turn(5.0);
    EXPECT_EQ(frames->pose().pitch, 0.0) << "the key was let go of with the focus";
}

TEST_F(HostLoopTest, AFrameThatWouldRepeatTheOneOnScreenIsNotDrawnUnlessThePictureWasLost) {
    HostLoop& host = start({});
    host.setPixelsPerPoint(2.0);
    HostLoop::Turn turn;
    for (int frame = 0; frame <= 120; ++frame) {
        turn = host.turn(frame / HostLoop::kFrameRate);
    }
    EXPECT_EQ(turn.frame, nullptr) << "a still camera, the same HUD and read-outs";
    host.redraw();
    turn = host.turn(121 / HostLoop::kFrameRate);
    ASSERT_NE(turn.frame, nullptr);
    EXPECT_EQ(turn.frame->area, (PixelArea{0, 0, 750, 1334}));
    EXPECT_EQ(turn.frame->backdrop.kind, Frame::Backdrop::Kind::world);
    host.controls().drag(4.0, 0.0);
    turn = host.turn(122 / HostLoop::kFrameRate);
    ASSERT_NE(turn.frame, nullptr) << "the camera turned";
    host.setWorldShown(false);
    turn = host.turn(123 / HostLoop::kFrameRate);
    ASSERT_NE(turn.frame, nullptr);
    EXPECT_EQ(turn.frame->backdrop.kind, Frame::Backdrop::Kind::black);
}

TEST_F(HostLoopTest, AHeadlessRunJumpsFromDueToDueDrawsOnlyScreenshotsAndStops) {
    HostLoop::Settings settings = HostLoop::Settings::headless();
    settings.quitAfter = 3.0;
    settings.finalScreenshot = "last.png";
    HostLoop& host = start(settings, {{0.005, Verb::tap, {1.0, 2.0}, {}}});

    std::vector<double> times;
    int drawn = 0;
    HostLoop::Turn turn;
    while (!(turn = host.turn(host.nextDue())).quit) {
        times.push_back(turn.time);
        drawn += turn.frame != nullptr ? 1 : 0;
    }
    ASSERT_GE(times.size(), 4U);
    EXPECT_EQ(times[0], 0.0);
    EXPECT_EQ(times[1], 0.005) << "the script's tap comes between frames";
    EXPECT_EQ(times[2], 1.0 / 60.0);
    EXPECT_EQ(drawn, 0);
    EXPECT_EQ(turn.time, 3.0) << "the spawn timer's first tick and the end";
    EXPECT_NE(turn.frame, nullptr);
    EXPECT_EQ(turn.screenshots, std::vector<std::string>{"last.png"});
    EXPECT_EQ(recorded().back().verb, Verb::quit);
}

TEST_F(HostLoopTest, OnlyAResizeThatChangesTheViewIsApplied) {
    HostLoop& host = start({});
    host.resize({375, 667});
    host.turn(1.0);
    EXPECT_TRUE(recorded().empty());
    host.resize({500, 400});
    host.resize({667, 375});
    host.turn(2.0);
    const auto events = recorded();
    ASSERT_EQ(events.size(), 1U);
    EXPECT_EQ(events[0].verb, Verb::resize);
    EXPECT_EQ(frames->viewSize(), (CGSize{667, 375}));
}

TEST_F(HostLoopTest, APlayerWhoLeavesEndsTheNextTurnAndTimeNeverGoesBack) {
    HostLoop& host = start({});
    host.turn(2.0);
    EXPECT_EQ(host.turn(1.0).time, 2.0);
    host.quit();
    const HostLoop::Turn last = host.turn(2.5);
    EXPECT_TRUE(last.quit);
    EXPECT_TRUE(last.screenshots.empty());
}

}  // namespace
}  // namespace rovuzu
