#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "platform/foundation/NSCoder.hpp"
#include "tests/support/Program.hpp"

namespace rovuzu {
namespace {

class CommandLineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("rovuzu-cli-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void write(const std::string& name, const std::string& text) const {
        std::ofstream(folder / name) << text;
    }

    [[nodiscard]] NSCoder report(const std::string& name) const {
        std::string problem;
        auto coder = NSCoder::decoderWithJSON(readFile(folder / name), problem);
        EXPECT_TRUE(coder) << problem;
        return coder ? *coder : NSCoder{};
    }

    std::filesystem::path folder;
};

TEST_F(CommandLineTest, AnAutoplayRoundEndsInGameOverForAnySeedAndRepeatsExactly) {
    for (const char* seed : {"1", "2024"}) {
        const auto first = runProgram(
            std::string("--headless --autoplay --seed ") + seed + " --report a.json", folder);
        const auto second = runProgram(
            std::string("--headless --autoplay --seed ") + seed + " --report b.json", folder);
        ASSERT_EQ(first.status, 0) << first.err;
        std::string expected;
        for (int i = 0; i < 25; ++i) {
            expected += "El toque ha sido en: (0.0, 0.0)\n";
        }
        EXPECT_EQ(first.out, expected);
        EXPECT_EQ(second.out, first.out);
        EXPECT_EQ(readFile(folder / "a.json"), readFile(folder / "b.json"));
        const NSCoder state = report("a.json");
        EXPECT_EQ(state.decodeInt64ForKey("targetsCreated"), 25);
        EXPECT_EQ(state.decodeInt64ForKey("targetCount"), 0);
        EXPECT_EQ(state.decodeInt64ForKey("liveTargets"), 0);
        EXPECT_EQ(state.decodeInt64ForKey("anchors"), 25);
        EXPECT_TRUE(state.decodeBoolForKey("gameOver"));
        EXPECT_FALSE(state.decodeBoolForKey("hudAttached"));
        EXPECT_FALSE(state.decodeBoolForKey("timerRunning"));
        EXPECT_EQ(state.decodeStringForKey("elapsedText"), "Te ha llevado: 75 segundos");
    }
}

TEST_F(CommandLineTest, DifferentSeedsPlaceTargetsDifferently) {
    runProgram("--headless --seed 1 --quit-after 4 --report one.json", folder);
    runProgram("--headless --seed 2 --quit-after 4 --report two.json", folder);
    EXPECT_NE(readFile(folder / "one.json"), readFile(folder / "two.json"));
}

TEST_F(CommandLineTest, AMalformedScriptIsRefusedBeforeAnythingRuns) {
    write("bad.txt", "1 tap 10 10\n2 tap 10\n");
    const auto run = runProgram("--headless --script bad.txt --report r.json", folder);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "rovuzu: bad.txt:2: expected 'tap X Y'\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "r.json"));
}

TEST_F(CommandLineTest, ABadFlagOrAMissingScriptIsOneLineAndStatusTwo) {
    for (const char* arguments :
         {"--headless --view 0x0", "--headless --script missing.txt", "--warp 9"}) {
        const auto run = runProgram(arguments, folder);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_EQ(run.err.rfind("rovuzu: ", 0), 0U) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST_F(CommandLineTest, VersionPrintsTheProjectsVersionAndRunsNothing) {
    const auto run = runProgram("--version --report r.json", folder);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "rovuzu " ROVUZU_VERSION "\n");
    EXPECT_EQ(run.err, "");
    EXPECT_FALSE(std::filesystem::exists(folder / "r.json"));
}

TEST_F(CommandLineTest, ScriptedTapsPrintTheirScenePoints) {
    write("taps.txt", "1 tap 187.5 191.75\n2 taps 237.5 427.25 10 10\n3 quit\n");
    const auto run = runProgram("--headless --script taps.txt --report r.json", folder);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "El toque ha sido en: (0.0, 283.5)\nEl toque ha sido en: (100.0, -187.5)\n");
    const NSCoder state = report("r.json");
    EXPECT_EQ(state.decodeDoubleForKey("time"), 3.0);
    EXPECT_EQ(state.decodeStringForKey("hudText"), "Faltan: 1");
}

TEST_F(CommandLineTest, AResourceFolderWithoutASceneShowsNoRound) {
    const auto resources = folder / "resources";
    std::filesystem::copy(ROVUZU_SOURCE_RESOURCES, resources);
    std::filesystem::remove(resources / "Scene.sks");
    const auto run = runProgram(
        "--headless --autoplay --resources resources --quit-after 10 --report r.json", folder);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "rovuzu: Scene.sks: not found in resources; no scene is shown\n");
    EXPECT_EQ(report("r.json").decodeInt64ForKey("anchors"), 0);
    const auto missing = runProgram("--headless --resources nowhere", folder);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "rovuzu: nowhere: not a readable resource folder\n");
}

}  // namespace
}  // namespace rovuzu
