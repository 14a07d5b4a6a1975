#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/foundation/NSCoder.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

// What the fuzzers found, fed through the same reader they were found with: the launch reads
// the app configuration and the main interface from a bundle that otherwise holds the game's
// own resources.
class FuzzFindingTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
        addFile("rovuzu.mp3");
    }

    // Launches with `file` holding `contents`, then puts the game's own file back.
    bool launchWith(const std::string& file, const std::string& contents) {
        addFile(file, contents);
        err.str("");
        UIApplication application;
        const bool launched = application.launch("AppDelegate", {375, 667});
        application.terminate();
        std::filesystem::copy_file(std::filesystem::path{ROVUZU_SOURCE_RESOURCES} / file,
                                   bundle / file,
                                   std::filesystem::copy_options::overwrite_existing);
        return launched;
    }

    [[nodiscard]] long diagnosticLines() const {
        const std::string text = err.str();
        return std::count(text.begin(), text.end(), '\n');
    }
};

// `levels` of arrays around a number, inside an object's value: one more level in all.
std::string nested(int levels) {
    const auto count = static_cast<std::size_t>(levels);
    return std::string(count, '[') + "1" + std::string(count, ']');
}

std::string contentsOf(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Every input a fuzzer ever broke the launch with is kept under tests/fuzz/regressions.
TEST_F(FuzzFindingTest, EveryKeptLaunchFindingIsRefusedOnOneLine) {
    const std::vector<std::pair<std::string, std::string>> kept{
        {"fuzz_app_config", "Info.json"}, {"fuzz_main_interface", "Main.storyboard"}};
    int inputs = 0;
    for (const auto& [target, file] : kept) {
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path{ROVUZU_FUZZ_REGRESSIONS} / target)) {
            ++inputs;
            EXPECT_FALSE(launchWith(file, contentsOf(entry.path()))) << entry.path();
            EXPECT_EQ(diagnosticLines(), 1) << entry.path() << ": " << err.str();
        }
    }
    EXPECT_GE(inputs, 2);
}

// Found by fuzz_main_interface: a view of the right class, but not connected to the
// controller's sceneView outlet, launched, and the controller then used its missing view.
TEST_F(FuzzFindingTest, AnInterfaceThatLeavesTheSceneViewUnconnectedIsRefused) {
    const std::string refusal = "rovuzu: " + (bundle / "Main.storyboard").string() +
                                ": 'ViewController' needs its outlet 'sceneView' connected\n";
    for (const std::string view :
         {R"({"class": "ARSKView"})", R"({"class": "ARSKView", "outlet": ""})",
          R"({"class": "ARSKView", "oqtlet": "cameraView"})"}) {
        EXPECT_FALSE(launchWith(
            "Main.storyboard",
            R"({"initialViewController": {"class": "ViewController", "view": )" + view + "}}"))
            << view;
        EXPECT_EQ(err.str(), refusal) << view;
    }
    EXPECT_TRUE(
        launchWith("Main.storyboard",
                   contentsOf(std::filesystem::path{ROVUZU_SOURCE_RESOURCES} / "Main.storyboard")));
    EXPECT_EQ(err.str(), "");
}

// Found by fuzz_app_config: the interface's name is quoted in the refusal, line break and all.
TEST_F(FuzzFindingTest, AnInterfaceNameWithALineBreakIsQuotedOnOneLine) {
    EXPECT_FALSE(launchWith("Info.json", R"({"UIMainStoryboardFile": "Ma\nin"})"));
    EXPECT_EQ(err.str(), "rovuzu: Ma\\nin.storyboard: not found in " + bundle.string() + "\n");
}

// Found beyond the fuzzers' 4 KB inputs: decoding a nested object copies it, one call per
// level, so a scene file or main interface well under the 1 MB limit but nested 400,000 deep
// overflowed the stack. Files are now refused past 64 levels.
TEST_F(FuzzFindingTest, AFileNestedTooDeepIsRefusedNotAStackOverflow) {
    constexpr int kDeep = 400'000;
    addFile("Scene.sks", R"({"class": "Scene", "size": {"width": )" + nested(kDeep) + "}}");
    err.str("");
    EXPECT_EQ(SKScene::nodeWithFileNamed("Scene"), nullptr);
    EXPECT_EQ(err.str(), "rovuzu: " + (bundle / "Scene.sks").string() +
                             ": is nested deeper than 64 levels; no scene is shown\n");

    EXPECT_FALSE(launchWith(
        "Main.storyboard",
        R"({"initialViewController": {"class": "ViewController", "x": )" + nested(kDeep) + "}}"));
    EXPECT_EQ(err.str(), "rovuzu: " + (bundle / "Main.storyboard").string() +
                             ": is nested deeper than 64 levels\n");
}

TEST(NSCoderDepthTest, SixtyFourLevelsAreReadAndSixtyFiveAreNot) {
    std::string problem;
    for (const int levels : {1, 63}) {
        const auto coder = NSCoder::decoderWithJSON(R"({"a": )" + nested(levels) + "}", problem);
        EXPECT_TRUE(coder) << levels << ": " << problem;
        EXPECT_TRUE(coder && coder->containsValueForKey("a"));
    }
    for (const int levels : {64, 1000}) {
        EXPECT_FALSE(NSCoder::decoderWithJSON(R"({"a": )" + nested(levels) + "}", problem));
        EXPECT_EQ(problem, "is nested deeper than 64 levels");
        EXPECT_FALSE(NSCoder::decoderWithJSON(R"({"a": {"b": )" + nested(levels) + "}}", problem));
    }
}

// Found while playing fuzzed scripts: `resize` took any size, unlike --view, and a screenshot
// of a 20000 x 30000 view then asked for 9.6 GB of pixels and minutes of drawing.
TEST(ScriptResizeTest, AViewIsFromOneTo16384PointsASideAsOnTheCommandLine) {
    std::string problem;
    EXPECT_TRUE(Script::parse("1 resize 16384 1\n2 resize 1 16384\n", problem)) << problem;
    for (const char* line :
         {"1 resize 16384.5 1\n", "1 resize 1 20000\n", "1 resize 1e308 1e308\n"}) {
        EXPECT_FALSE(Script::parse(line, problem)) << line;
        EXPECT_EQ(problem, "line 1: a view is at most 16384 points a side") << line;
    }
}

}  // namespace
}  // namespace rovuzu
