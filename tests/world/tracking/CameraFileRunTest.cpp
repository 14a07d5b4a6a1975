#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "tests/world/tracking/TrackingTestSupport.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

constexpr int kFrames = 50;
constexpr double kPanDegrees = 10.0;

// The yaw of the last look in a recorded session.
double lastYaw(const std::filesystem::path& recording) {
    std::ifstream in(recording);
    double yaw = 0.0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        double time = 0.0;
        std::string verb;
        if (words >> time >> verb && verb == "look") {
            words >> yaw;
        }
    }
    return yaw;
}

// The game itself, headless, with a recorded video as its camera: the tracked pan turns the
// device, and the recording of the session holds the turn as look events.
TEST(CameraFileRun, AVideosTrackedPanTurnsTheDeviceInAHeadlessRun) {
    const TemporaryFolder folder;
    const auto video = folder.path() / "pan.avi";
    testing::writePanVideo(video, kFrames, kPanDegrees);
    const auto recording = folder.path() / "session.txt";
    const std::string command = std::string(ROVUZU_BINARY) + " --headless --camera-file '" +
                                video.string() + "' --quit-after 2 --record '" +
                                recording.string() + "' --screenshot '" +
                                (folder.path() / "shot.png").string() + "' >/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_NEAR(lastYaw(recording), kPanDegrees, 1.0);
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "shot.png"));
}

// A binary without the camera module beside it or in its library folder (a package that left
// OpenCV out) says so once and plays in the built-in world.
TEST(CameraFileRun, WithoutTheCameraModuleTheBuiltInWorldStays) {
    const TemporaryFolder folder;
    const auto video = folder.path() / "pan.avi";
    testing::writePanVideo(video, kFrames, kPanDegrees);
    const auto binary = folder.path() / "bin" / "rovuzu";
    std::filesystem::create_directories(binary.parent_path());
    std::filesystem::copy_file(ROVUZU_BINARY, binary);
    const auto err = folder.path() / "err.txt";
    const std::string command = binary.string() + " --headless --camera-file '" + video.string() +
                                "' --quit-after 1 --report '" +
                                (folder.path() / "r.json").string() + "' >/dev/null 2>'" +
                                err.string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream said(err);
    const std::string text{std::istreambuf_iterator<char>(said), {}};
    EXPECT_EQ(text,
              "rovuzu: this build has no camera support (librovuzu_camera.so: not found); using "
              "the built-in world\n");
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "r.json"));
}

}  // namespace
}  // namespace rovuzu
