#include <limits>
#include <optional>
#include <set>
#include <string_view>

#include "app/AppDelegate.hpp"
#include "ar/ViewController.hpp"
#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

// The whole program in-process: Info.json, the main interface, the view controller, the
// scene file and the game scene, in a session driven by the headless host.
class EntryPathTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
    }

    // A headless session with a script (text), launched.
    HostSession& launch(std::string_view script = "", bool autoplay = false,
                        std::optional<double> quitAfter = {}) {
        HostSession::Plan plan;
        std::string problem;
        plan.script = Script::parse(script, problem).value_or(Script{});
        EXPECT_EQ(problem, "");
        plan.autoplay = autoplay;
        plan.seed = 1;
        plan.settings = HostSession::Settings::headless();
        plan.settings.quitAfter = quitAfter;
        session.emplace(std::move(plan), &audio);
        EXPECT_TRUE(session->launch()) << err.str();
        return *session;
    }

    // Runs the session headless until `until`, or to its end.
    void play(double until = std::numeric_limits<double>::infinity()) {
        session->runDue(until, [](const HostSession::Turn& /*turn*/) {});
    }

    [[nodiscard]] ARSKView& arView() const { return *session->stage().arView(); }
    [[nodiscard]] Scene* scene() const { return dynamic_cast<Scene*>(arView().scene().get()); }

    [[nodiscard]] NSCoder report() const {
        std::string problem;
        auto coder = NSCoder::decoderWithJSON(session->report(), problem);
        EXPECT_TRUE(coder) << problem;
        return *coder;
    }

    std::optional<HostSession> session;
};

TEST_F(EntryPathTest, AutoplayPlaysAWholeRoundFromTheProcessEntryToGameOver) {
    launch("", true);
    ASSERT_NE(scene(), nullptr);
    HeadlessHost{}.run(*session);
    EXPECT_TRUE(session->isOver());
    EXPECT_EQ(outLines(), std::vector<std::string>(25, "El toque ha sido en: (0.0, 0.0)"));
    const NSCoder state = report();
    EXPECT_EQ(state.decodeInt64ForKey("targetsCreated"), 25);
    EXPECT_EQ(state.decodeInt64ForKey("targetCount"), 0);
    EXPECT_EQ(state.decodeInt64ForKey("liveTargets"), 0);
    EXPECT_EQ(state.decodeInt64ForKey("anchors"), 25);
    EXPECT_TRUE(state.decodeBoolForKey("gameOver"));
    EXPECT_FALSE(state.decodeBoolForKey("hudAttached"));
    EXPECT_FALSE(state.decodeBoolForKey("timerRunning"));
    EXPECT_TRUE(state.decodeBoolForKey("sessionRunning"));
    EXPECT_EQ(state.decodeStringForKey("elapsedText"), "Te ha llevado: 75 segundos");
    EXPECT_NEAR(state.decodeDoubleForKey("time"), 75.5 + 1.0 / 60.0 + HostSession::kAfterRound,
                1e-9);
}

TEST_F(EntryPathTest, HidingPausesTrackingButTheRoundGoesOn) {
    launch("1.0 look 90 0\n2.0 hide\n3.5 look 0 0\n9.6 show\n", false, 10.0);
    const auto* presented = scene();
    play(9.5);
    EXPECT_FALSE(arView().session().isRunning());
    EXPECT_EQ(scene()->targetsCreated(), 3);
    EXPECT_EQ(arView().session().anchors().size(), 3U);
    // While paused the camera stayed where it was when the view went away.
    EXPECT_EQ(arView().session().cameraTransform(), DevicePose::looking(90, 0).transform());

    play(9.9);
    EXPECT_TRUE(arView().session().isRunning());
    EXPECT_EQ(scene(), presented);
    EXPECT_EQ(arView().session().anchors().size(), 3U);
    EXPECT_EQ(arView().session().worldOrigin(), simd_float4x4{1.0F});
    EXPECT_EQ(arView().session().cameraTransform(), simd_float4x4{1.0F});
    for (const auto& anchor : arView().session().anchors()) {
        EXPECT_NE(arView().nodeForAnchor(*anchor), nullptr);
    }
}

TEST_F(EntryPathTest, ATapOnTheHudPrintsItsPointAndChangesNothing) {
    launch("4.0 tap 187.5 191.75\n4.5 taps 187.5 191.75 20 20\n");
    play(5.0);
    EXPECT_EQ(outLines(), (std::vector<std::string>(2, "El toque ha sido en: (0.0, 283.5)")));
    EXPECT_EQ(scene()->targetCount(), 1);
    EXPECT_EQ(scene()->remainingLabel()->parent(), scene());
}

TEST_F(EntryPathTest, EveryAnchorGetsItsOwnNewSpriteOfOneOfTheFourTargets) {
    launch();
    play(76.0);
    std::set<const SKNode*> sprites;
    for (const auto& anchor : arView().session().anchors()) {
        const auto sprite =
            std::dynamic_pointer_cast<SKSpriteNode>(arView().nodeForAnchor(*anchor));
        ASSERT_NE(sprite, nullptr);
        sprites.insert(sprite.get());
        const std::string& name = sprite->texture()->name();
        EXPECT_TRUE(name == "rovuzu1" || name == "rovuzu2" || name == "rovuzu3" ||
                    name == "rovuzu4")
            << name;
    }
    EXPECT_EQ(sprites.size(), 25U);
    std::set<std::string> names;
    for (int i = 0; i < 200; ++i) {
        names.insert(std::dynamic_pointer_cast<SKSpriteNode>(ViewController::spriteForAnchor())
                         ->texture()
                         ->name());
    }
    EXPECT_EQ(names, (std::set<std::string>{"rovuzu1", "rovuzu2", "rovuzu3", "rovuzu4"}));
}

TEST_F(EntryPathTest, WithoutAUsableSceneFileThereIsOnlyTheCameraPicture) {
    for (const std::string& contents : {std::string{}, std::string{"{\"class\": \"Scene\", "}}) {
        std::filesystem::remove(bundle / "Scene.sks");
        if (!contents.empty()) {
            addFile("Scene.sks", contents);
        }
        err.str("");
        launch("", true);
        play(10.0);
        EXPECT_EQ(arView().scene(), nullptr);
        EXPECT_TRUE(arView().session().isRunning());
        EXPECT_TRUE(arView().session().anchors().empty());
        const std::string line = err.str();
        EXPECT_NE(line.find("Scene.sks: "), std::string::npos) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    }
}

TEST_F(EntryPathTest, ASceneFileOfAnotherSceneClassIsPresentedAllTheSame) {
    std::filesystem::remove(bundle / "Scene.sks");
    addFile("Scene.sks", R"({"class": "SKScene", "anchorPoint": {"x": 0.5, "y": 0.5}})");
    launch();
    ASSERT_NE(arView().scene(), nullptr);
    EXPECT_EQ(scene(), nullptr);
    EXPECT_EQ(arView().scene()->size(), (CGSize{750, 1334}));
}

TEST_F(EntryPathTest, TheDelegateHoldsTheMainWindowAndTheLifecycleChangesNothing) {
    const AppDelegate fresh;
    EXPECT_EQ(fresh.window(), nullptr);
    UIApplication application;
    ASSERT_TRUE(application.launch("AppDelegate", {375, 667})) << err.str();
    const auto& delegate = application.delegate();
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(delegate->window(), application.keyWindow());
    const UIApplicationLaunchOptions options{{"UIApplicationLaunchOptionsURLKey", "rovuzu://"}};
    EXPECT_TRUE(delegate->application(application, &options));
    EXPECT_TRUE(delegate->application(application, nullptr));
    application.resignActive();
    application.enterBackground();
    application.enterForeground();
    application.becomeActive();
    EXPECT_EQ(application.keyWindow()->isVisible(), true);
    application.terminate();

    // Through a session, the lifecycle as a window or page reports it.
    launch();
    play(3.5);
    using Change = input::Lifecycle::Change;
    for (const Change change : {Change::resignActive, Change::enterBackground,
                                Change::enterForeground, Change::becomeActive}) {
        session->post(input::Lifecycle{change});
    }
    play(4.0);
    EXPECT_TRUE(arView().session().isRunning());
    EXPECT_TRUE(scene()->timer()->isValid());
    EXPECT_EQ(scene()->targetsCreated(), 1);
}

TEST_F(EntryPathTest, AnApplicationThatCannotStartSaysWhy) {
    const std::vector<std::pair<std::string, std::string>> broken{
        {"Info.json", "{}"},
        {"Info.json", "not json"},
        {"Main.storyboard", R"({"initialViewController": {"class": "Nope"}})"},
        {"Main.storyboard", R"({"initialViewController": {"class": "ViewController",
                               "view": {"class": "SKView", "outlet": "sceneView"}}})"},
        {"Main.storyboard", R"({"initialViewController": {"class": "ViewController",
                               "view": {"class": "ARSKView", "outlet": "cameraView"}}})"},
    };
    for (const auto& [file, contents] : broken) {
        const auto original = bundle / (file + ".original");
        std::filesystem::rename(bundle / file, original);
        addFile(file, contents);
        err.str("");
        UIApplication app;
        EXPECT_FALSE(app.launch("AppDelegate", {375, 667})) << contents;
        const std::string line = err.str();
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
        EXPECT_NE(line.find(file), std::string::npos) << line;
        std::filesystem::rename(original, bundle / file);
    }
    err.str("");
    UIApplication app;
    EXPECT_FALSE(app.launch("NoSuchDelegate", {375, 667}));
    EXPECT_EQ(err.str(), "rovuzu: 'NoSuchDelegate' is not a known application delegate class\n");
}

}  // namespace
}  // namespace rovuzu
