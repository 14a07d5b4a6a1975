#include <gtest/gtest.h>

#include <sstream>

#include "platform/foundation/Console.hpp"
#include "platform/host/desktop/CommandLine.hpp"

namespace rovuzu {
namespace {

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override { Console::redirect(nullptr, &err); }
    void TearDown() override { Console::redirect(nullptr, nullptr); }

    std::variant<Options, int> parse(std::vector<const char*> args) {
        args.insert(args.begin(), "rovuzu");
        return CommandLine::parse(static_cast<int>(args.size()), args.data());
    }

    std::ostringstream err;
};

TEST_F(OptionsTest, ReadsTheCommandLine) {
    const auto parsed = parse({"--headless", "--autoplay", "--seed", "7", "--view", "1280x720",
                               "--quit-after", "12.5", "--report", "r.json", "--camera"});
    ASSERT_TRUE(std::holds_alternative<Options>(parsed)) << err.str();
    const auto& options = std::get<Options>(parsed);
    EXPECT_TRUE(options.headless);
    EXPECT_TRUE(options.autoplay);
    EXPECT_EQ(options.seed, 7U);
    EXPECT_EQ(options.view, (CGSize{1280, 720}));
    EXPECT_EQ(options.quitAfter, 12.5);
    EXPECT_EQ(options.report, "r.json");
    EXPECT_EQ(options.camera, "/dev/video0");
    EXPECT_FALSE(options.script);
    const auto defaults = std::get<Options>(parse({}));
    EXPECT_EQ(defaults.view, (CGSize{375, 667}));
    EXPECT_FALSE(defaults.camera);
    EXPECT_EQ(defaults.cameraFieldOfView, 60.0);

    const auto camera = std::get<Options>(parse(
        {"--camera-file", "clip.avi", "--camera-fov", "72.5", "--camera-calibration", "c.yml"}));
    EXPECT_EQ(camera.cameraFieldOfView, 72.5);
    EXPECT_EQ(camera.cameraCalibration, "c.yml");
}

TEST_F(OptionsTest, ABadCommandLineEndsWithStatusTwoAndOneLine) {
    for (const std::vector<const char*>& args :
         std::vector<std::vector<const char*>>{{"--view", "wide"},
                                               {"--view", "0x10"},
                                               {"--view", "375x667x2"},
                                               {"--seed", "-1"},
                                               {"--seed", "99999999999"},
                                               {"--quit-after", "-3"},
                                               {"--quit-after", "nan"},
                                               {"--camera", "--camera-fov", "0"},
                                               {"--camera", "--camera-fov", "180"},
                                               {"--camera-fov", "70"},
                                               {"--camera-calibration", "c.yml"},
                                               {"--fly"}}) {
        err.str("");
        const auto parsed = parse(args);
        ASSERT_TRUE(std::holds_alternative<int>(parsed)) << args[0];
        EXPECT_EQ(std::get<int>(parsed), 2);
        const std::string line = err.str();
        EXPECT_EQ(line.rfind("rovuzu: ", 0), 0U) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1) << line;
    }
}

}  // namespace
}  // namespace rovuzu
