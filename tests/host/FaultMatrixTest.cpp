#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/Program.hpp"

namespace rovuzu {
namespace {

enum class Fault { missing, empty, truncated, garbage };

const char* nameOf(Fault fault) {
    switch (fault) {
        case Fault::missing:
            return "missing";
        case Fault::empty:
            return "empty";
        case Fault::truncated:
            return "truncated";
        case Fault::garbage:
            return "garbage";
    }
    return "";
}

constexpr Fault kFaults[] = {Fault::missing, Fault::empty, Fault::truncated, Fault::garbage};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::size_t at = 0;
    while (at < text.size()) {
        const auto end = text.find('\n', at);
        result.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return result;
}

// The game's real resources in a scratch folder, with one file damaged, and the game run on
// them as a player would run it.
class FaultMatrixTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("rovuzu-fault-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    void injure(const std::string& file, Fault fault) const {
        const auto resources = folder / "resources";
        std::filesystem::remove_all(resources);
        std::filesystem::copy(ROVUZU_SOURCE_RESOURCES, resources);
        const auto path = resources / file;
        const std::string original = readFile(path);
        std::filesystem::remove(path);
        if (fault == Fault::missing) {
            return;
        }
        std::ofstream out(path, std::ios::binary);
        if (fault == Fault::truncated) {
            out << original.substr(0, original.size() / 2);
        } else if (fault == Fault::garbage) {
            std::string noise(4096, '\0');
            unsigned state = 12345;
            for (char& c : noise) {
                state = state * 1103515245U + 12345U;
                c = static_cast<char>(state >> 16U);
            }
            out << noise;
        }
    }

    ProgramRun run(const std::string& arguments) const {
        return runProgram("--resources resources " + arguments, folder);
    }

    std::filesystem::path folder;
};

TEST_F(FaultMatrixTest, ABrokenSceneFileShowsNoRoundAndSaysSoOnce) {
    for (const Fault fault : kFaults) {
        injure("Scene.sks", fault);
        const auto result = run("--headless --autoplay --quit-after 10 --report r.json");
        EXPECT_EQ(result.status, 0) << nameOf(fault);
        EXPECT_EQ(result.out, "") << nameOf(fault);
        const auto said = lines(result.err);
        ASSERT_EQ(said.size(), 1U) << nameOf(fault) << "\n" << result.err;
        EXPECT_NE(said[0].find("Scene.sks"), std::string::npos) << said[0];
        EXPECT_NE(readFile(folder / "r.json").find("\"anchors\": 0"), std::string::npos);
    }
}

TEST_F(FaultMatrixTest, ABrokenConfigurationOrInterfaceCannotStartAndSaysWhyOnce) {
    for (const char* file : {"Info.json", "Main.storyboard"}) {
        for (const Fault fault : kFaults) {
            injure(file, fault);
            const auto result = run("--headless --autoplay");
            EXPECT_EQ(result.status, 1) << file << " " << nameOf(fault);
            const auto said = lines(result.err);
            ASSERT_EQ(said.size(), 1U) << file << " " << nameOf(fault) << "\n" << result.err;
            EXPECT_NE(said[0].find(file), std::string::npos) << said[0];
        }
    }
}

// Every picture is drawn at least once: a screenshot (small, to be quick) a frame after each
// target is faced, and one of the game-over screen at the end.
TEST_F(FaultMatrixTest, ABrokenPictureIsAPlaceholderSaidOnceAndTheRoundEnds) {
    std::string shots;
    for (int target = 0; target < 25; ++target) {
        shots += std::to_string(3.0 * (target + 1) + 0.5) + " screenshot shot.png\n";
    }
    std::ofstream(folder / "shots.txt") << shots;
    for (const char* image :
         {"rovuzu1.png", "rovuzu2.png", "rovuzu3.png", "rovuzu4.png", "gameover.png"}) {
        for (const Fault fault : kFaults) {
            injure(image, fault);
            const auto result =
                run("--headless --autoplay --seed 11 --view 120x200 --script shots.txt "
                    "--screenshot end.png "
                    "--report r.json");
            EXPECT_EQ(result.status, 0) << image << " " << nameOf(fault);
            const auto said = lines(result.err);
            ASSERT_EQ(said.size(), 1U) << image << " " << nameOf(fault) << "\n" << result.err;
            const std::string stem = std::string(image).substr(0, std::string(image).size() - 4);
            EXPECT_NE(said[0].find(stem), std::string::npos) << said[0];
            EXPECT_NE(readFile(folder / "r.json").find("\"gameOver\": true"), std::string::npos)
                << image << " " << nameOf(fault);
        }
    }
}

TEST_F(FaultMatrixTest, BrokenFontAliasesAreSaidOnceAndTextStillShows) {
    for (const Fault fault : kFaults) {
        injure("fonts.conf", fault);
        const auto result = run("--headless --quit-after 1 --screenshot end.png");
        EXPECT_EQ(result.status, 0) << nameOf(fault);
        const auto said = lines(result.err);
        if (fault == Fault::truncated && said.empty()) {
            continue;  // half of our alias file may still be a valid, smaller one
        }
        ASSERT_EQ(said.size(), 1U) << nameOf(fault) << "\n" << result.err;
        EXPECT_NE(said[0].find("fonts.conf"), std::string::npos) << said[0];
        EXPECT_TRUE(std::filesystem::exists(folder / "end.png"));
    }
}

// In a window (SDL's offscreen driver, the dummy sound card) so that sounds are really decoded;
// the window runs in real time, with time to spare for the first hit at 3.5 s.
TEST_F(FaultMatrixTest, ABrokenSoundOrMusicIsSaidAtMostOnceAndTheGamePlaysOn) {
    for (const char* sound : {"QuickDeath.wav", "rovuzu.mp3"}) {
        for (const Fault fault : kFaults) {
            injure(sound, fault);
            const auto result = runProgram(
                "--resources resources --autoplay --seed 2 --view 120x200 --quit-after 5 --report "
                "r.json",
                folder,
                "SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy");
            EXPECT_EQ(result.status, 0) << sound << " " << nameOf(fault);
            EXPECT_EQ(result.out, "El toque ha sido en: (0.0, 0.0)\n")
                << sound << " " << nameOf(fault);
            const auto said = lines(result.err);
            // A decoder may take half a file as a shorter sound; anything else is said once.
            const std::size_t expected = fault == Fault::truncated ? said.size() : 1U;
            ASSERT_EQ(said.size(), expected) << sound << " " << nameOf(fault) << "\n" << result.err;
            ASSERT_LE(said.size(), 1U) << result.err;
            if (!said.empty()) {
                const std::string stem = std::string(sound).substr(0, std::string(sound).find('.'));
                EXPECT_NE(said[0].find(stem), std::string::npos) << said[0];
            }
        }
    }
}

TEST_F(FaultMatrixTest, NoSoundCardMeansSilenceAndOneLine) {
    std::filesystem::copy(ROVUZU_SOURCE_RESOURCES, folder / "resources");
    const auto result = runProgram(
        "--resources resources --quit-after 0.5", folder,
        "SDL_VIDEODRIVER=offscreen SDL_RENDER_DRIVER=software XDG_RUNTIME_DIR=/nonexistent");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.err, "rovuzu: no audio device found; the game plays silently\n");
}

TEST_F(FaultMatrixTest, WithoutADisplayOnlyHeadlessRuns) {
    std::filesystem::copy(ROVUZU_SOURCE_RESOURCES, folder / "resources");
    const auto window = runProgram("--resources resources --quit-after 0.5", folder);
    EXPECT_EQ(window.status, 1);
    const auto said = lines(window.err);
    ASSERT_EQ(said.size(), 1U) << window.err;
    EXPECT_EQ(said[0].rfind("rovuzu: no display (", 0), 0U) << said[0];
    EXPECT_NE(said[0].find("run with --headless"), std::string::npos);
    const auto headless = runProgram("--resources resources --headless --quit-after 0.5", folder);
    EXPECT_EQ(headless.status, 0);
    EXPECT_EQ(headless.err, "");
}

TEST_F(FaultMatrixTest, AResourceFolderThatIsNotOneCannotStart) {
    std::ofstream(folder / "a-file") << "not a folder";
    for (const char* where : {"a-file", "nowhere", "."}) {
        const auto result = runProgram(std::string("--headless --resources ") + where, folder);
        EXPECT_EQ(result.status, 1) << where;
        ASSERT_EQ(lines(result.err).size(), 1U) << result.err;
        EXPECT_NE(result.err.find(where), std::string::npos) << result.err;
    }
}

}  // namespace
}  // namespace rovuzu
