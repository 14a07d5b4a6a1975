#include <cmath>
#include <limits>
#include <optional>
#include <string_view>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Clock.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Script.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

// A camera that always sees the device turned to the same yaw.
class TurnedCamera final : public CameraFeed {
  public:
    std::optional<DevicePose> update(const DevicePose& pose, double /*now*/) override {
        return DevicePose::looking(10.0, 0.0, 0.0, pose.position);
    }
    [[nodiscard]] const CameraFrame* picture() const override { return nullptr; }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return 0; }
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override {
        return std::nullopt;
    }
};

Script scriptOf(std::string_view text) {
    std::string problem;
    auto script = Script::parse(text, problem);
    EXPECT_TRUE(script) << problem;
    return script.value_or(Script{});
}

double yawOf(const glm::dquat& rotation) {
    return DevicePose{rotation}.angles().x;
}

// One session over the real game, launched from its own resources; what the session hands the
// game is read back from its recording.
class HostSessionTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
    }

    HostSession& start(const HostSession::Settings& settings = {}, std::string_view script = "") {
        HostSession::Plan plan;
        plan.script = scriptOf(script);
        plan.record = bundle / "session.txt";
        plan.settings = settings;
        session.emplace(std::move(plan), &audio);
        EXPECT_TRUE(session->launch()) << err.str();
        return *session;
    }

    // What the session applied so far, as a script reads it back.
    std::vector<TimedInput> recorded() const {
        std::string problem;
        const auto script = Script::load(bundle / "session.txt", problem);
        EXPECT_TRUE(script) << problem;
        return script ? script->events() : std::vector<TimedInput>{};
    }

    std::optional<HostSession> session;
};

TEST_F(HostSessionTest, EachPostedTouchEventActsInAStepOfItsOwnJustAfterTheFrameOnScreen) {
    HostSession& host = start();
    host.turn(1.0);
    host.post(input::Touches{{{187.5, 333.5}}});
    host.post(input::Touches{{{10.0, 20.0}, {30.0, 40.0}}});
    host.post(input::Touches{{{20.0, 20.0}}});
    const HostSession::Turn turn = host.turn(1.5);

    EXPECT_EQ(turn.time, 1.5);
    const double justAfter = std::nextafter(1.0, std::numeric_limits<double>::infinity());
    const auto events = recorded();
    ASSERT_EQ(events.size(), 3U);
    EXPECT_EQ(events[0], (TimedInput{justAfter, input::Touches{{{187.5, 333.5}}}}));
    EXPECT_EQ(events[1], (TimedInput{justAfter, input::Touches{{{10.0, 20.0}, {30.0, 40.0}}}}));
    // One debug line per touch event, at its first touch: nothing is merged or lost.
    EXPECT_EQ(outLines(), (std::vector<std::string>{"El toque ha sido en: (0.0, 0.0)",
                                                    "El toque ha sido en: (-355.0, 627.0)",
                                                    "El toque ha sido en: (-335.0, 627.0)"}));
}

TEST_F(HostSessionTest, TheHostThenTheCameraThenTheControlsThenTheScriptMoveTheDevice) {
    TurnedCamera camera;
    HostSession& host = start({}, "2.0 look 30 5\n");
    host.setCamera(&camera);
    host.controls().setKey(PoseController::Key::left, true);
    host.turn(1.0);
    host.post(input::Look{DevicePose::rotationFromAngles(-40.0, 0.0, 0.0)});
    host.turn(2.0);

    std::vector<double> yaws;
    for (const TimedInput& event : recorded()) {
        const auto* look = std::get_if<input::Look>(&event.input);
        ASSERT_NE(look, nullptr);
        yaws.push_back(yawOf(look->rotation));
    }
    // At 1.0 the camera turns to 10 and the held key a second's worth further; at 2.0 the
    // sensors' reading, then the camera turns back, the key turns on, and the script has the
    // last word.
    const double perSecond = PoseController::kTurnDegreesPerSecond;
    ASSERT_EQ(yaws.size(), 6U);
    const std::vector<double> expected{10.0, 10.0 + perSecond, -40.0, 10.0, 10.0 + perSecond, 30.0};
    for (std::size_t i = 0; i < yaws.size(); ++i) {
        EXPECT_NEAR(yaws[i], expected[i], 1e-9) << i;
    }
    EXPECT_NEAR(yawOf(host.stage().pose().rotation), 30.0, 1e-9);
}

TEST_F(HostSessionTest, OfAFramesResizesAndPosesOnlyTheLatestCountsAndOnlyIfItChangesAnything) {
    HostSession& host = start();
    host.post(input::Resize{{375, 667}});
    host.post(input::Look{});
    host.turn(1.0);
    EXPECT_TRUE(recorded().empty());
    const glm::dquat turned = DevicePose::rotationFromAngles(5.0, 0.0, 0.0);
    host.post(input::Resize{{500, 400}});
    host.post(input::Look{DevicePose::rotationFromAngles(1.0, 0.0, 0.0)});
    host.post(input::Resize{{667, 375}});
    host.post(input::Look{turned});
    host.post(input::Move{{0.0, 0.0, -1.0}});
    host.turn(2.0);
    EXPECT_EQ(recorded(), (std::vector<TimedInput>{{2.0, input::Resize{{667, 375}}},
                                                   {2.0, input::Look{turned}},
                                                   {2.0, input::Move{{0.0, 0.0, -1.0}}}}));
    EXPECT_EQ(host.stage().viewSize(), (CGSize{667, 375}));
}

TEST_F(HostSessionTest, InTheBackgroundNothingIsDrawnButScreenshotsAndLosingFocusLetsGoOfKeys) {
    using Change = input::Lifecycle::Change;
    HostSession& host = start({}, "3.0 screenshot shot.png\n");
    EXPECT_NE(host.turn(1.0).frame, nullptr);
    host.post(input::Lifecycle{Change::enterBackground});
    EXPECT_EQ(host.turn(2.0).frame, nullptr);
    EXPECT_TRUE(host.inBackground());
    const HostSession::Turn shot = host.turn(3.0);
    EXPECT_NE(shot.frame, nullptr);
    EXPECT_EQ(shot.screenshots, std::vector<std::string>{"shot.png"});
    host.post(input::Lifecycle{Change::enterForeground});
    EXPECT_NE(host.turn(3.0).frame, nullptr) << "back on screen, the picture is drawn anew";

    host.controls().setKey(PoseController::Key::up, true);
    host.post(input::Lifecycle{Change::resignActive});
    host.turn(5.0);
    EXPECT_EQ(host.stage().pose(), DevicePose{}) << "the key was let go of with the focus";
}

TEST_F(HostSessionTest, AFrameThatWouldRepeatTheOneOnScreenIsNotDrawnUnlessThePictureWasLost) {
    HostSession& host = start();
    host.setPixelsPerPoint(2.0);
    HostSession::Turn turn;
    for (int frame = 0; frame <= 120; ++frame) {
        turn = host.turn(frame / HostSession::kFrameRate);
    }
    EXPECT_EQ(turn.frame, nullptr) << "a still camera, the same HUD and read-outs";
    host.redraw();
    turn = host.turn(121 / HostSession::kFrameRate);
    ASSERT_NE(turn.frame, nullptr);
    EXPECT_EQ(turn.frame->area, (PixelArea{0, 0, 750, 1334}));
    EXPECT_EQ(turn.frame->backdrop.kind, Frame::Backdrop::Kind::world);
    host.controls().drag(4.0, 0.0);
    turn = host.turn(122 / HostSession::kFrameRate);
    ASSERT_NE(turn.frame, nullptr) << "the camera turned";
    host.setWorldShown(false);
    turn = host.turn(123 / HostSession::kFrameRate);
    ASSERT_NE(turn.frame, nullptr);
    EXPECT_EQ(turn.frame->backdrop.kind, Frame::Backdrop::Kind::black);
}

TEST_F(HostSessionTest, AHeadlessRunJumpsFromDueToDueDrawsOnlyScreenshotsAndStops) {
    HostSession::Settings settings = HostSession::Settings::headless();
    settings.quitAfter = 3.0;
    settings.finalScreenshot = "last.png";
    HostSession& host = start(settings, "0.005 tap 1 2\n");

    std::vector<double> times;
    int drawn = 0;
    const HostSession::Turn last =
        host.runDue(std::numeric_limits<double>::infinity(), [&](const HostSession::Turn& turn) {
            times.push_back(turn.time);
            drawn += turn.frame != nullptr && turn.screenshots.empty() ? 1 : 0;
        });
    ASSERT_GE(times.size(), 4U);
    EXPECT_EQ(times[0], 0.0);
    EXPECT_EQ(times[1], 0.005) << "the script's tap comes between frames";
    EXPECT_EQ(times[2], 1.0 / 60.0);
    EXPECT_EQ(drawn, 0);
    EXPECT_TRUE(last.quit);
    EXPECT_EQ(last.time, 3.0) << "the spawn timer's first tick and the end";
    EXPECT_NE(last.frame, nullptr);
    EXPECT_EQ(last.screenshots, std::vector<std::string>{"last.png"});
    EXPECT_EQ(last.viewSize, (CGSize{375, 667}));
    EXPECT_EQ(recorded().back(), (TimedInput{3.0, input::Quit{}}));
    EXPECT_TRUE(host.turn(4.0).quit) << "an ended run stays ended";
}

TEST_F(HostSessionTest, TheRoundsEndIsNoticedOnAnyTurnNotOnlyOneThatDeliversTouches) {
    HostSession& host = start(HostSession::Settings::headless());
    host.turn(1.0);
    auto* scene = dynamic_cast<Scene*>(host.stage().view()->scene().get());
    ASSERT_NE(scene, nullptr);
    scene->endGame();
    host.turn(2.0);
    EXPECT_FALSE(host.turn(6.9).quit);
    EXPECT_TRUE(host.turn(7.0).quit) << "five seconds after the turn that saw it end";
}

TEST_F(HostSessionTest, APlayerWhoLeavesEndsTheNextTurnAndTimeNeverGoesBack) {
    HostSession& host = start();
    host.turn(2.0);
    EXPECT_EQ(host.turn(1.0).time, 2.0);
    host.post(input::Quit{});
    const HostSession::Turn last = host.turn(2.5);
    EXPECT_TRUE(last.quit);
    EXPECT_TRUE(last.screenshots.empty());
    EXPECT_EQ(host.stage().view(), nullptr) << "the application is let go of at the end";
    EXPECT_NE(host.report().find("\"time\": 2.5,"), std::string::npos) << host.report();
}

TEST_F(HostSessionTest, TheSessionOwnsItsClockSoundAndSeedAndGivesThemBack) {
    HostSession::Plan plan;
    plan.script = scriptOf("# seed 99\n");
    {
        HostSession first(plan, &audio);
        EXPECT_EQ(first.seed(), 99U) << "the script's seed, without one of its own";
        EXPECT_EQ(&AudioOutput::current(), &audio);
        ASSERT_TRUE(first.launch());
        first.turn(4.0);
        EXPECT_EQ(Clock::current().monotonicNow(), 4.0);
    }
    EXPECT_NE(&AudioOutput::current(), &audio);
    EXPECT_EQ(dynamic_cast<VirtualClock*>(&Clock::current()), nullptr) << "the real clock again";

    plan.seed = 5;
    const HostSession second(plan, nullptr);
    EXPECT_EQ(second.seed(), 5U);
    EXPECT_EQ(GKRandomSource::sharedRandom().nextIntWithUpperBound(1000000),
              (GKRandomSource{5}.nextIntWithUpperBound(1000000)));
}

}  // namespace
}  // namespace rovuzu
