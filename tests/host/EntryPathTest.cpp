#include <set>

#include "app/AppDelegate.hpp"
#include "ar/ViewController.hpp"
#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/sdl/HeadlessHost.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

using Verb = InputEvent::Verb;

// The whole program in-process: Info.json, the main interface, the view controller, the
// scene file and the game scene, driven by the headless host on the test's virtual clock.
class EntryPathTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
    }

    void launch(bool autoplay = false) {
        ASSERT_TRUE(application.launch("AppDelegate", {375, 667})) << err.str();
        loop.emplace(application, autoplay, nullptr);
    }

    double play(const std::vector<InputEvent>& script, std::optional<double> quitAfter = {}) {
        HostLoop::Settings settings = HostLoop::Settings::headless();
        settings.quitAfter = quitAfter;
        HostLoop host(application, *loop, settings, script, clock);
        return HeadlessHost{}.run(host);
    }

    [[nodiscard]] ARSKView& arView() const { return *loop->arView(); }
    [[nodiscard]] Scene* scene() const { return dynamic_cast<Scene*>(arView().scene().get()); }

    NSCoder report(double time) const {
        std::string problem;
        auto coder = NSCoder::decoderWithJSON(Report::build(time, loop->view()), problem);
        EXPECT_TRUE(coder) << problem;
        return *coder;
    }

    UIApplication application;
    std::optional<FrameLoop> loop;
};

TEST_F(EntryPathTest, AutoplayPlaysAWholeRoundFromTheProcessEntryToGameOver) {
    launch(true);
    ASSERT_NE(scene(), nullptr);
    const double end = play({});
    EXPECT_EQ(outLines(), std::vector<std::string>(25, "El toque ha sido en: (0.0, 0.0)"));
    const NSCoder state = report(end);
    EXPECT_EQ(state.decodeInt64ForKey("targetsCreated"), 25);
    EXPECT_EQ(state.decodeInt64ForKey("targetCount"), 0);
    EXPECT_EQ(state.decodeInt64ForKey("liveTargets"), 0);
    EXPECT_EQ(state.decodeInt64ForKey("anchors"), 25);
    EXPECT_TRUE(state.decodeBoolForKey("gameOver"));
    EXPECT_FALSE(state.decodeBoolForKey("hudAttached"));
    EXPECT_FALSE(state.decodeBoolForKey("timerRunning"));
    EXPECT_TRUE(state.decodeBoolForKey("sessionRunning"));
    EXPECT_EQ(state.decodeStringForKey("elapsedText"), "Te ha llevado: 75 segundos");
    EXPECT_NEAR(end, 75.5 + 1.0 / 60.0 + HostLoop::kAfterRound, 1e-9);
}

TEST_F(EntryPathTest, HidingPausesTrackingButTheRoundGoesOn) {
    launch();
    const auto* presented = scene();
    play({{1.0, Verb::look, {90, 0}, {}},
          {2.0, Verb::hide, {}, {}},
          {3.5, Verb::look, {0, 0}, {}},
          {9.5, Verb::quit, {}, {}}});
    EXPECT_FALSE(arView().session().isRunning());
    EXPECT_EQ(scene()->targetsCreated(), 3);
    EXPECT_EQ(arView().session().anchors().size(), 3U);
    // While paused the camera stayed where it was when the view went away.
    EXPECT_EQ(arView().session().cameraTransform(), DevicePose{90}.transform());

    play({{9.6, Verb::show, {}, {}}}, 10.0);
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
    launch();
    play({{4.0, Verb::tap, {187.5, 191.75}, {}},
          {4.5, Verb::taps, {187.5, 191.75, 20, 20}, {}},
          {5.0, Verb::quit, {}, {}}});
    EXPECT_EQ(outLines(), (std::vector<std::string>(2, "El toque ha sido en: (0.0, 283.5)")));
    EXPECT_EQ(scene()->targetCount(), 1);
    EXPECT_EQ(scene()->remainingLabel()->parent(), scene());
}

TEST_F(EntryPathTest, EveryAnchorGetsItsOwnNewSpriteOfOneOfTheFourTargets) {
    launch();
    play({{76.0, Verb::quit, {}, {}}});
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
        UIApplication app;
        ASSERT_TRUE(app.launch("AppDelegate", {375, 667}));
        FrameLoop frames(app, true, nullptr);
        HostLoop::Settings settings = HostLoop::Settings::headless();
        settings.quitAfter = 10.0;
        HostLoop host(app, frames, settings, {}, clock);
        HeadlessHost{}.run(host);
        EXPECT_EQ(frames.arView()->scene(), nullptr);
        EXPECT_TRUE(frames.arView()->session().isRunning());
        EXPECT_TRUE(frames.arView()->session().anchors().empty());
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
    launch();
    const auto& delegate = application.delegate();
    ASSERT_NE(delegate, nullptr);
    EXPECT_EQ(delegate->window(), application.keyWindow());
    const UIApplicationLaunchOptions options{{"UIApplicationLaunchOptionsURLKey", "rovuzu://"}};
    EXPECT_TRUE(delegate->application(application, &options));
    EXPECT_TRUE(delegate->application(application, nullptr));
    play({{4.0, Verb::quit, {}, {}}});
    application.resignActive();
    application.enterBackground();
    application.enterForeground();
    application.becomeActive();
    EXPECT_TRUE(arView().session().isRunning());
    EXPECT_TRUE(scene()->timer()->isValid());
    EXPECT_EQ(scene()->targetsCreated(), 1);
    EXPECT_EQ(application.keyWindow()->isVisible(), true);
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
