#include "platform/spritekit/SKAction.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

class SKActionTest : public PlatformTest {
  protected:
    std::shared_ptr<SKNode> addNode() {
        auto node = std::make_shared<SKNode>();
        scene->addChild(node);
        return node;
    }

    std::shared_ptr<SKScene> scene = std::make_shared<SKScene>(CGSize{100, 100});
};

TEST_F(SKActionTest, GroupsLastAsLongAsTheirLongestMemberAndSequencesAddUp) {
    const auto group =
        SKAction::group({SKAction::scaleTo(2.0, 0.4), SKAction::fadeOutWithDuration(0.1),
                         SKAction::playSoundFileNamed("QuickDeath", false)});
    EXPECT_EQ(group.duration(), 0.4);
    EXPECT_EQ(SKAction::sequence({group, SKAction::removeFromParent(), group}).duration(), 0.8);
    EXPECT_EQ(SKAction::scaleTo(2.0, -1.0).duration(), 0.0);
    EXPECT_EQ(SKAction::fadeOutWithDuration(std::numeric_limits<double>::infinity()).duration(),
              0.0);
}

TEST_F(SKActionTest, IntervalActionsInterpolateFromWhereTheNodeWasAndLandExactly) {
    const auto node = addNode();
    node->setScale(0.5);
    node->setAlpha(0.8);
    node->runAction(
        SKAction::group({SKAction::scaleTo(2.0, 0.3), SKAction::fadeOutWithDuration(0.3)}));
    scene->evaluateActions(0.1);
    EXPECT_DOUBLE_EQ(node->xScale(), 1.0);
    EXPECT_DOUBLE_EQ(node->alpha(), 0.8 * 2.0 / 3.0);
    scene->evaluateActions(0.30000000000000004);
    EXPECT_EQ(node->xScale(), 2.0);
    EXPECT_EQ(node->yScale(), 2.0);
    EXPECT_EQ(node->alpha(), 0.0);
    EXPECT_FALSE(node->hasActions());
}

TEST_F(SKActionTest, ASequencePassesTheRestOfAFrameToItsNextMember) {
    const auto node = addNode();
    node->runAction(
        SKAction::sequence({SKAction::scaleTo(2.0, 0.2), SKAction::fadeOutWithDuration(0.2)}));
    scene->evaluateActions(0.3);
    EXPECT_EQ(node->xScale(), 2.0);
    EXPECT_DOUBLE_EQ(node->alpha(), 0.5);
}

TEST_F(SKActionTest, ANodeCanRemoveItselfWhileOthersStillRun) {
    const auto first = addNode();
    const auto second = addNode();
    first->runAction(SKAction::removeFromParent());
    second->runAction(
        SKAction::sequence({SKAction::removeFromParent(), SKAction::fadeOutWithDuration(0.0)}));
    const auto third = addNode();
    third->runAction(SKAction::fadeOutWithDuration(0.0));
    scene->evaluateActions(0.0);
    EXPECT_TRUE(scene->children().size() == 1U && scene->children()[0] == third);
    EXPECT_EQ(third->alpha(), 0.0);
    EXPECT_EQ(second->alpha(), 0.0);  // the member after the removal still ran
    EXPECT_EQ(first->parent(), nullptr);
}

TEST_F(SKActionTest, AKeyedActionReplacesTheOneRunningUnderTheSameKey) {
    const auto node = addNode();
    node->runAction(SKAction::scaleTo(3.0, 1.0), "grow");
    const SKAction replacement = SKAction::scaleTo(2.0, 1.0);
    node->runAction(replacement, "grow");
    ASSERT_TRUE(node->actionForKey("grow"));
    EXPECT_TRUE(node->actionForKey("grow")->isSameAction(replacement));
    EXPECT_FALSE(node->actionForKey("other"));
    scene->evaluateActions(1.0);
    EXPECT_EQ(node->xScale(), 2.0);
    EXPECT_FALSE(node->actionForKey("grow"));
}

TEST_F(SKActionTest, TheSameSoundActionPlaysOnEveryRunAndAMissingSoundIsReportedOnce) {
    addFile("QuickDeath.wav");
    const SKAction sound = SKAction::playSoundFileNamed("QuickDeath", false);
    const SKAction missing = SKAction::playSoundFileNamed("Nothing.wav", false);
    for (int i = 0; i < 3; ++i) {
        addNode()->runAction(SKAction::group({sound, missing}));
    }
    scene->evaluateActions(0.0);
    EXPECT_EQ(audio.sounds, (std::vector<std::string>(3, "QuickDeath.wav")));
    EXPECT_EQ(err.str(), "rovuzu: sound 'Nothing.wav' not found in " + bundle.string() +
                             "; playing nothing\n");
}

}  // namespace
}  // namespace rovuzu
