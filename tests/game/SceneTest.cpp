#include <glm/geometric.hpp>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/arkit/ARSKViewDelegate.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

constexpr CGPoint kViewCentre{187.5, 333.5};

class SpriteMaker final : public ARSKViewDelegate {
  public:
    std::shared_ptr<SKNode> viewNodeForAnchor(ARSKView& /*view*/,
                                              const ARAnchor& /*anchor*/) override {
        return std::make_shared<SKSpriteNode>("rovuzu1");
    }
};

class SceneTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addGameResources();
        view->setDelegate(maker);
        view->session().runWithConfiguration({}, ARSessionRunOptions::none);
    }

    std::shared_ptr<Scene> present() {
        auto scene = std::make_shared<Scene>();
        scene->setAnchorPoint({0.5, 0.5});  // as the scene file sets it
        view->presentScene(scene);
        return scene;
    }

    void tap(CGPoint point) { view->touchesBegan({UITouch{point, view.get()}}); }

    // Puts a target straight ahead of the device and lets the view make its sprite.
    std::shared_ptr<SKNode> targetAhead() {
        view->session().addAnchor(std::make_shared<ARAnchor>(Scene::anchorTransform(0.0F, 0.0F)));
        view->stepFrame(clock.monotonicNow());
        return view->nodeForAnchor(*view->session().anchors().back());
    }

    std::shared_ptr<ARSKView> view = std::make_shared<ARSKView>(CGRect{{0, 0}, {375, 667}});
    std::shared_ptr<SpriteMaker> maker = std::make_shared<SpriteMaker>();
};

TEST_F(SceneTest, EveryInitialiserGivesTheRoundItsDefaults) {
    clock.advanceTo(4.25);
    NSCoder coder;
    for (const auto& scene : {std::make_shared<Scene>(), std::make_shared<Scene>(CGSize{10, 20}),
                              std::make_shared<Scene>(coder)}) {
        EXPECT_EQ(scene->targetsCreated(), 0);
        EXPECT_EQ(scene->targetCount(), 0);
        EXPECT_EQ(scene->timer(), nullptr);
        EXPECT_EQ(scene->backgroundMusic(), nullptr);
        EXPECT_EQ(scene->startTime(), 4.25);
        EXPECT_EQ(scene->remainingLabel()->text(), "");
        EXPECT_EQ(scene->remainingLabel()->parent(), nullptr);
        EXPECT_EQ(scene->deathSound().definition().soundName, "QuickDeath");
    }
}

TEST_F(SceneTest, HudTextFollowsTheLiveTargetCount) {
    Scene scene;
    for (const std::int64_t count : {0, 12, -1}) {
        scene.setTargetCount(count);
        EXPECT_EQ(scene.remainingLabel()->text(), "Faltan: " + std::to_string(count));
    }
}

TEST_F(SceneTest, SetUpStylesAndPlacesTheHudAndStartsTheTimer) {
    const auto scene = present();
    const auto& label = scene->remainingLabel();
    EXPECT_EQ(label->fontSize(), 30.0);
    EXPECT_EQ(label->fontName(), "Avenir Next");
    EXPECT_EQ(label->color(), UIColor::whiteColor());
    EXPECT_EQ(label->text(), "Faltan: 0");
    EXPECT_EQ(label->parent(), scene.get());
    EXPECT_EQ(label->position(), (CGPoint{0.0, 283.5}));
    ASSERT_NE(scene->timer(), nullptr);
    EXPECT_TRUE(scene->timer()->isValid());
    EXPECT_TRUE(scene->timer()->repeats());
    EXPECT_EQ(scene->timer()->timeInterval(), 3.0);
    EXPECT_EQ(scene->targetsCreated(), 0);
    EXPECT_EQ(scene->backgroundMusic(), nullptr);
    EXPECT_TRUE(audio.playing.empty());
}

TEST_F(SceneTest, HudPositionUsesTheViewFrameIncludingItsOrigin) {
    view->setFrame({{0, 20}, {375, 100}});
    const auto scene = present();
    EXPECT_EQ(scene->remainingLabel()->position(), (CGPoint{0.0, 20.0}));
}

TEST_F(SceneTest, MusicPlaysWhileItsResourceExists) {
    addFile("rovuzu.mp3");
    const auto scene = present();
    ASSERT_NE(scene->backgroundMusic(), nullptr);
    EXPECT_EQ(scene->backgroundMusic()->parent(), scene.get());
    ASSERT_EQ(audio.playing.size(), 1U);
    EXPECT_EQ(audio.playing.begin()->second, "rovuzu.mp3");
}

TEST_F(SceneTest, TwentyFiveTicksPlaceTheTargetsAndTheTwentySixthStopsTheTimer) {
    const auto scene = present();
    runUntil(2.999, view.get());
    EXPECT_EQ(scene->targetsCreated(), 0);
    runUntil(3.0, view.get());
    EXPECT_EQ(scene->targetsCreated(), 1);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 1");
    EXPECT_EQ(view->session().anchors().size(), 1U);

    runUntil(75.0, view.get());
    EXPECT_EQ(scene->targetsCreated(), 25);
    EXPECT_EQ(scene->targetCount(), 25);
    ASSERT_NE(scene->timer(), nullptr);
    EXPECT_TRUE(scene->timer()->isValid());

    runUntil(78.0, view.get());
    EXPECT_EQ(scene->timer(), nullptr);
    EXPECT_EQ(NSRunLoop::mainRunLoop().timerCount(), 0U);
    runUntil(300.0, view.get());
    EXPECT_EQ(scene->targetsCreated(), 25);
    EXPECT_EQ(scene->targetCount(), 25);
    EXPECT_EQ(view->session().anchors().size(), 25U);
}

TEST_F(SceneTest, TheTimerKeepsTheSceneAliveUntilTheTwentySixthTick) {
    std::weak_ptr<Scene> watched;
    {
        const auto scene = present();
        watched = scene;
    }
    view->presentScene(nullptr);
    runUntil(77.9);
    ASSERT_FALSE(watched.expired());
    EXPECT_EQ(watched.lock()->targetsCreated(), 25);
    runUntil(78.0);
    EXPECT_TRUE(watched.expired());
}

TEST_F(SceneTest, ATickAtTheCapTouchesNothingButTheTimer) {
    const auto scene = present();
    scene->setTargetsCreated(25);
    scene->setTargetCount(4);
    const GKRandomSource before = GKRandomSource::sharedRandom();
    scene->spawnTarget();
    EXPECT_EQ(scene->timer(), nullptr);
    EXPECT_EQ(scene->targetCount(), 4);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 4");
    EXPECT_TRUE(view->session().anchors().empty());
    GKRandomSource after = GKRandomSource::sharedRandom();
    GKRandomSource expected = before;
    EXPECT_EQ(after.nextUniform(), expected.nextUniform());
}

TEST_F(SceneTest, TheTwentyFifthTickStillPlacesATarget) {
    const auto scene = present();
    scene->setTargetsCreated(24);
    scene->setTargetCount(3);
    scene->spawnTarget();
    EXPECT_EQ(scene->targetsCreated(), 25);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 4");
    EXPECT_EQ(view->session().anchors().size(), 1U);
    EXPECT_TRUE(scene->timer()->isValid());
}

TEST_F(SceneTest, WithoutAnArViewATickCountsButPlacesNothing) {
    auto plainView = std::make_shared<SKView>(CGRect{{0, 0}, {375, 667}});
    auto scene = std::make_shared<Scene>();
    plainView->presentScene(scene);
    const GKRandomSource before = GKRandomSource::sharedRandom();
    scene->spawnTarget();
    EXPECT_EQ(scene->targetsCreated(), 1);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 1");
    GKRandomSource expected = before;
    EXPECT_EQ(GKRandomSource::sharedRandom().nextUniform(), expected.nextUniform());
}

TEST_F(SceneTest, ATickDrawsTwiceInOrderAndAnchorsAtTheirTransform) {
    present();
    GKRandomSource copy = GKRandomSource::sharedRandom();
    const float first = copy.nextUniform();
    const float second = copy.nextUniform();
    runUntil(3.0, view.get());
    ASSERT_EQ(view->session().anchors().size(), 1U);
    EXPECT_EQ(view->session().anchors()[0]->transform(), Scene::anchorTransform(first, second));
}

void expectNear(const simd_float3& actual, const simd_float3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5);
    EXPECT_NEAR(actual.y, expected.y, 1e-5);
    EXPECT_NEAR(actual.z, expected.z, 1e-5);
}

TEST(SceneAnchorTransform, RotatesAboutYThenXAroundTheStartingPoint) {
    EXPECT_EQ(Scene::anchorTransform(0.0F, 0.0F)[3], (simd_float4{0, 0, -1.5F, 1}));
    expectNear(simd_float3{Scene::anchorTransform(0.25F, 0.0F)[3]}, {0, 1.5F, 0});
    expectNear(simd_float3{Scene::anchorTransform(0.0F, 0.25F)[3]}, {-1.5F, 0, 0});
    // Ry · Rx would put this one on +y; the game's order puts it on -x.
    expectNear(simd_float3{Scene::anchorTransform(0.25F, 0.25F)[3]}, {-1.5F, 0, 0});
    GKRandomSource random(7);
    for (int i = 0; i < 1000; ++i) {
        const float a = random.nextUniform();
        const float b = random.nextUniform();
        EXPECT_NEAR(glm::length(simd_float3{Scene::anchorTransform(a, b)[3]}), 1.5F, 1e-6F);
    }
}

TEST_F(SceneTest, ATapPrintsItsScenePointWhetherOrNotItHits) {
    const auto scene = present();
    tap({237.5, 427.25});
    tap(kViewCentre);
    view->touchesBegan({});
    EXPECT_EQ(outLines(), (std::vector<std::string>{"El toque ha sido en: (100.0, -187.5)",
                                                    "El toque ha sido en: (0.0, 0.0)"}));
    EXPECT_EQ(scene->targetCount(), 0);
}

TEST_F(SceneTest, AHitGrowsFadesAndRemovesTheTargetAndCountsDownAtOnce) {
    const auto scene = present();
    scene->setTargetCount(2);
    const auto target = targetAhead();
    ASSERT_NE(target, nullptr);
    tap(kViewCentre);
    EXPECT_EQ(scene->targetCount(), 1);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 1");
    EXPECT_TRUE(audio.sounds.empty());  // effects start with the next frame's actions
    scene->evaluateActions(0.0);
    EXPECT_EQ(audio.sounds, std::vector<std::string>{"QuickDeath.wav"});

    scene->evaluateActions(0.2);
    EXPECT_DOUBLE_EQ(target->xScale(), 1.5);
    EXPECT_DOUBLE_EQ(target->alpha(), 0.5);
    EXPECT_EQ(target->parent(), scene.get());
    scene->evaluateActions(0.4);
    EXPECT_EQ(target->xScale(), 2.0);
    EXPECT_EQ(target->yScale(), 2.0);
    EXPECT_EQ(target->alpha(), 0.0);
    EXPECT_EQ(target->parent(), nullptr);
    EXPECT_EQ(view->session().anchors().size(), 1U);
}

TEST_F(SceneTest, OnlyTargetsAreHitAndEachOnlyOnce) {
    const auto scene = present();
    scene->setTargetCount(2);
    tap({187.5, 191.75});  // on the HUD label
    EXPECT_EQ(outLines().back(), "El toque ha sido en: (0.0, 283.5)");
    EXPECT_EQ(scene->targetCount(), 2);
    EXPECT_EQ(scene->remainingLabel()->parent(), scene.get());
    EXPECT_FALSE(scene->remainingLabel()->hasActions());

    targetAhead();
    tap(kViewCentre);
    scene->evaluateActions(0.1);
    tap(kViewCentre);  // the same target, still fading
    EXPECT_EQ(scene->targetCount(), 1);
    EXPECT_EQ(outLines().size(), 3U);
}

TEST_F(SceneTest, TwoTouchesInOneEventMakeOneLineAndAtMostOneHit) {
    const auto scene = present();
    scene->setTargetCount(2);
    targetAhead();
    view->touchesBegan({UITouch{kViewCentre, view.get()}, UITouch{kViewCentre, view.get()}});
    EXPECT_EQ(outLines().size(), 1U);
    EXPECT_EQ(scene->targetCount(), 1);
}

TEST_F(SceneTest, TheRoundEndsOnceWithTheLastHitAfterAllArePlaced) {
    struct Case {
        std::int64_t created;
        std::int64_t count;
        bool ends;
    };
    for (const Case c : {Case{25, 1, true}, Case{25, 2, false}, Case{24, 1, false}}) {
        const auto scene = present();
        scene->setTargetsCreated(c.created);
        scene->setTargetCount(c.count);
        targetAhead();
        tap(kViewCentre);
        EXPECT_EQ(scene->childNodeWithName("gameover") != nullptr, c.ends)
            << c.created << "/" << c.count;
        EXPECT_EQ(scene->remainingLabel()->parent() == nullptr, c.ends);
        EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: " + std::to_string(c.count - 1));
    }
}

TEST_F(SceneTest, GameOverShowsThePictureAndTheWholeSecondsAndIgnoresLaterTaps) {
    const auto scene = present();
    scene->setTargetsCreated(25);
    scene->setTargetCount(1);
    targetAhead();
    clock.advanceTo(83.9);
    tap(kViewCentre);
    const auto picture =
        std::dynamic_pointer_cast<SKSpriteNode>(scene->childNodeWithName("gameover"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->texture()->name(), "gameover");
    EXPECT_EQ(picture->position(), (CGPoint{0, 0}));
    const auto label =
        std::dynamic_pointer_cast<SKLabelNode>(scene->childNodeWithName("elapsedTime"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), "Te ha llevado: 83 segundos");
    EXPECT_EQ(label->fontSize(), 40.0);
    EXPECT_EQ(label->color(), UIColor::whiteColor());
    EXPECT_EQ(label->fontName(), SKLabelNode::kDefaultFontName);
    EXPECT_EQ(label->position(), (CGPoint{325.0, -283.5}));
    EXPECT_EQ(label->horizontalAlignmentMode(), SKLabelHorizontalAlignmentMode::right);

    tap(kViewCentre);  // on the game-over picture
    tap(view->scene()->convertPointToView(label->position()));
    EXPECT_EQ(scene->targetCount(), 0);
    EXPECT_EQ(picture->parent(), scene.get());
    EXPECT_EQ(label->parent(), scene.get());
    EXPECT_FALSE(picture->hasActions());
    scene->setTargetCount(5);
    EXPECT_EQ(scene->remainingLabel()->text(), "Faltan: 5");
}

TEST_F(SceneTest, TheElapsedLabelIsPlacedFromTheViewFrame) {
    view->setFrame({{10, 20}, {300, 400}});
    const auto scene = present();
    EXPECT_FALSE(scene->hasEnded());
    scene->endGame();
    EXPECT_TRUE(scene->hasEnded()) << "a host that stops by itself counts from here";
    EXPECT_EQ(scene->childNodeWithName("elapsedTime")->position(), (CGPoint{260.0, -170.0}));
}

// A phone turned mid-round: the labels follow the view's new frame by the same rules as at
// first, whole and near the top (the HUD) or low and right (the elapsed time), in either
// orientation; the round itself does not notice.
TEST_F(SceneTest, TurningThePhoneMidRoundPlacesTheLabelsAgainFromTheNewFrame) {
    view->setFrame({{0, 0}, {390, 844}});
    const auto scene = present();
    const auto& hud = scene->remainingLabel();
    EXPECT_EQ(hud->position(), (CGPoint{0.0, 372.0}));
    runUntil(6.5, view.get());
    const auto timer = scene->timer();
    const auto fits = [&] {
        // The HUD's glyphs stand on its baseline, at most a font size tall, in scene units.
        return hud->position().y + hud->fontSize() <= scene->size().height / 2.0;
    };

    view->setFrame({{0, 0}, {844, 390}});
    EXPECT_EQ(hud->position(), (CGPoint{0.0, 145.0}));
    EXPECT_TRUE(fits());
    view->setFrame({{0, 0}, {390, 844}});
    EXPECT_EQ(hud->position(), (CGPoint{0.0, 372.0}));
    EXPECT_TRUE(fits());
    EXPECT_EQ(scene->targetsCreated(), 2);
    EXPECT_EQ(scene->targetCount(), 2);
    EXPECT_EQ(scene->timer(), timer);
    EXPECT_TRUE(timer->isValid());
    EXPECT_EQ(hud->text(), "Faltan: 2");

    scene->endGame();
    view->setFrame({{0, 0}, {844, 390}});
    EXPECT_EQ(scene->childNodeWithName("elapsedTime")->position(), (CGPoint{794.0, -145.0}));
    EXPECT_EQ(hud->parent(), nullptr) << "the HUD stays gone after the round";
}

TEST_F(SceneTest, ElapsedTimeTruncatesAndIgnoresChangesToTheWallClock) {
    for (const auto& [seconds, text] : {std::pair{100.0, "100"}, std::pair{99.999, "99"}}) {
        const auto scene = present();
        clock.shiftWallClock(-3600.0);  // the user sets the device clock back an hour
        clock.advanceTo(scene->startTime() + seconds);
        scene->endGame();
        const auto label =
            std::dynamic_pointer_cast<SKLabelNode>(scene->childNodeWithName("elapsedTime"));
        EXPECT_EQ(label->text(), std::string("Te ha llevado: ") + text + " segundos");
    }
}

}  // namespace
}  // namespace rovuzu
