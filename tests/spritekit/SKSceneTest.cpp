#include "platform/spritekit/SKAudioNode.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/spritekit/SKView.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

class SKSceneTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addImage("box", 100, 100);
        scene->setAnchorPoint({0.5, 0.5});
        view->presentScene(scene);
    }

    std::shared_ptr<SKSpriteNode> box(CGPoint at, double z = 0.0) {
        auto node = std::make_shared<SKSpriteNode>("box");
        node->setPosition(at);
        node->setZPosition(z);
        scene->addChild(node);
        return node;
    }

    std::shared_ptr<SKView> view = std::make_shared<SKView>(CGRect{{0, 0}, {375, 667}});
    std::shared_ptr<SKScene> scene = std::make_shared<SKScene>();
};

TEST_F(SKSceneTest, PresentingKeepsTheSceneAtTwiceTheViewSize) {
    EXPECT_EQ(scene->size(), (CGSize{750, 1334}));
    EXPECT_EQ(scene->view(), view.get());
    view->setFrame({{0, 0}, {1280, 720}});
    EXPECT_EQ(scene->size(), (CGSize{2560, 1440}));
    EXPECT_EQ(scene->convertPointFromView({0, 0}), (CGPoint{-1280, 720}));
    EXPECT_EQ(scene->convertPointToView({-1280, 720}), (CGPoint{0, 0}));
}

TEST_F(SKSceneTest, NodesAtPointAreFrontMostFirstAndOnlyVisibleOnes) {
    const auto back = box({0, 0}, -1.0);
    const auto middle = box({10, 0});
    const auto front = box({20, 0});
    const auto hidden = box({0, 0}, 5.0);
    hidden->setHidden(true);
    const auto clear = box({0, 0}, 6.0);
    clear->setAlpha(0.0);
    const auto elsewhere = box({300, 300});
    EXPECT_EQ(scene->nodesAtPoint({15, 0}),
              (std::vector<std::shared_ptr<SKNode>>{front, middle, back}));
    EXPECT_TRUE(scene->nodesAtPoint({-200, -200}).empty());
    front->setZPosition(-2.0);
    EXPECT_EQ(scene->nodesAtPoint({15, 0}).back(), front);
}

TEST_F(SKSceneTest, AParentIsFoundThroughItsChildrenAndHidingHidesTheSubtree) {
    const auto parent = std::make_shared<SKNode>();
    parent->setPosition({100, 100});
    parent->setScale(2.0);
    scene->addChild(parent);
    const auto child = std::make_shared<SKSpriteNode>("box");
    child->setPosition({10, 0});
    parent->addChild(child);
    // The child covers -40..60 x -50..50 in the parent, 20..220 x 0..200 in the scene.
    EXPECT_EQ(scene->nodesAtPoint({200, 190}),
              (std::vector<std::shared_ptr<SKNode>>{child, parent}));
    EXPECT_EQ(child->convertPointFromScene({200, 190}), (CGPoint{40, 45}));
    EXPECT_TRUE(scene->nodesAtPoint({230, 190}).empty());
    parent->setHidden(true);
    EXPECT_TRUE(scene->nodesAtPoint({200, 190}).empty());
}

TEST_F(SKSceneTest, ANodeWithAParentOrThatWouldLoopIsNotAdded) {
    const auto node = box({0, 0});
    scene->addChild(node);
    node->addChild(scene);
    const auto child = std::make_shared<SKNode>();
    node->addChild(child);
    child->addChild(node);
    EXPECT_EQ(scene->children().size(), 1U);
    EXPECT_EQ(node->parent(), scene.get());
    EXPECT_EQ(err.str(),
              "rovuzu: addChild: the node already has a parent; it was not added again\n"
              "rovuzu: addChild: a node cannot become its own descendant\n"
              "rovuzu: addChild: the node already has a parent; it was not added again\n");
}

TEST_F(SKSceneTest, MusicPlaysOnlyWhileItsNodeIsInTheScene) {
    addFile("song.mp3");
    auto music = std::make_shared<SKAudioNode>(bundle / "song.mp3");
    scene->addChild(music);
    EXPECT_TRUE(music->isPlaying());
    EXPECT_EQ(audio.playing.size(), 1U);
    music->removeFromParent();
    EXPECT_TRUE(audio.playing.empty());
    auto holder = std::make_shared<SKNode>();
    holder->addChild(music);
    EXPECT_FALSE(music->isPlaying());
    scene->addChild(holder);
    EXPECT_TRUE(music->isPlaying());
}

TEST_F(SKSceneTest, MissingAndBrokenImagesBecomeAnnouncedPlaceholders) {
    addFile("broken.png", "not a png at all, just text");
    SKSpriteNode missing("nothing");
    SKSpriteNode again("nothing");
    SKSpriteNode broken("broken");
    EXPECT_TRUE(missing.texture()->isPlaceholder());
    EXPECT_EQ(missing.size(), (CGSize{128, 128}));
    EXPECT_TRUE(broken.texture()->isPlaceholder());
    EXPECT_EQ(err.str(),
              "rovuzu: image 'nothing' not found in " + bundle.string() +
                  "; showing a placeholder\nrovuzu: " + (bundle / "broken.png").string() +
                  ": not a readable PNG image; showing a placeholder\n");
}

TEST_F(SKSceneTest, SceneFilesDecodeToTheClassTheyNameOrToNothing) {
    addFile("Plain.sks", R"({"class": "SKScene", "size": {"width": 750, "height": 1334},
                            "anchorPoint": {"x": 0.5, "y": 0.5}})");
    const auto plain = SKScene::nodeWithFileNamed("Plain");
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->anchorPoint(), (CGPoint{0.5, 0.5}));
    EXPECT_EQ(plain->size(), (CGSize{750, 1334}));
    EXPECT_EQ(err.str(), "");

    const std::vector<std::pair<std::string, std::string>> broken{
        {"Truncated", R"({"class": "SKScene", "size": {"wid)"},
        {"Empty", ""},
        {"NoClass", R"({"size": {"width": 1, "height": 1}})"},
        {"Unknown", R"({"class": "Spaceship"})"},
        {"Negative", R"({"class": "SKScene", "size": {"width": -1, "height": 1}})"},
        {"WrongType", R"({"class": "SKScene", "anchorPoint": {"x": "middle"}})"},
    };
    for (const auto& [name, text] : broken) {
        addFile(name + ".sks", text);
        err.str("");
        EXPECT_EQ(SKScene::nodeWithFileNamed(name), nullptr) << name;
        const std::string line = err.str();
        EXPECT_EQ(line.rfind("rovuzu: " + (bundle / (name + ".sks")).string() + ": ", 0), 0U)
            << line;
        EXPECT_TRUE(line.ends_with("; no scene is shown\n")) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    }
    err.str("");
    EXPECT_EQ(SKScene::nodeWithFileNamed("Absent"), nullptr);
    EXPECT_EQ(err.str(),
              "rovuzu: Absent.sks: not found in " + bundle.string() + "; no scene is shown\n");
}

}  // namespace
}  // namespace rovuzu
