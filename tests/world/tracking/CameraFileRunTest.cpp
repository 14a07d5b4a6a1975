#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <glm/gtc/quaternion.hpp>
#include <iterator>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <sstream>

#include "tests/world/tracking/TrackingTestSupport.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

constexpr int kFrames = 50;
constexpr double kPanDegrees = 10.0;

// The yaw of the last rotation in a recorded session.
double lastYaw(const std::filesystem::path& recording) {
    std::ifstream in(recording);
    double yaw = 0.0;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        double time = 0.0;
        std::string verb;
        glm::dquat rotation;
        if (words >> time >> verb && verb == "orient" &&
            words >> rotation.x >> rotation.y >> rotation.z >> rotation.w) {
            const glm::dvec3 forward = rotation * glm::dvec3{0.0, 0.0, -1.0};
            yaw = glm::degrees(std::atan2(-forward.x, -forward.z));
        }
    }
    return yaw;
}

// The game itself, headless, with a recorded video as its camera: the tracked pan turns the
// device, and the recording of the session holds the turn as its rotations.
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

// What a headless round with these arguments says on stderr, and whether it completed.
struct Said {
    int status;
    std::string err;
    bool reported;
};

Said playRound(const std::filesystem::path& folder, const std::string& arguments) {
    const auto err = folder / "err.txt";
    const auto report = folder / "r.json";
    std::filesystem::remove(report);
    const std::string command = std::string(ROVUZU_BINARY) + " --headless --autoplay " + arguments +
                                " --report '" + report.string() + "' >/dev/null 2>'" +
                                err.string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream said(err);
    std::ifstream written(report);
    const std::string text{std::istreambuf_iterator<char>(said), {}};
    const std::string round{std::istreambuf_iterator<char>(written), {}};
    return {status, text, round.find("\"gameOver\": true") != std::string::npos};
}

// A video that stops decoding partway, a still picture given as a video and a calibration
// file that cannot be used each get one line, and the round plays to its end all the same.
TEST(CameraFileRun, ACameraFileThatFailsSaysSoInOneLineAndTheRoundGoesOn) {
    const TemporaryFolder folder;
    const auto video = folder.path() / "pan.avi";
    testing::writePanVideo(video, kFrames, kPanDegrees);
    const auto cut = folder.path() / "cut.avi";
    std::filesystem::copy_file(video, cut);
    std::filesystem::resize_file(cut, std::filesystem::file_size(video) / 2);
    const auto still = folder.path() / "still.png";
    ASSERT_TRUE(cv::imwrite(still.string(), cv::Mat(240, 320, CV_8UC3, cv::Scalar(90, 120, 60))));
    const auto calibration = folder.path() / "calibration.yml";
    std::ofstream(calibration) << "%YAML:1.0\nsomething: 3\n";

    const std::pair<std::string, std::string> cases[] = {
        {"--camera-file '" + cut.string() + "'",
         "rovuzu: " + cut.string() + ": the video stops decoding after "},
        {"--camera-file '" + still.string() + "'",
         "rovuzu: " + still.string() +
             ": a still picture, not a video; using the built-in world\n"},
        {"--camera-file '" + video.string() + "' --camera-calibration '" + calibration.string() +
             "'",
         "rovuzu: " + calibration.string() +
             ": no 3x3 camera_matrix in the calibration; going by a 60-degree field of view "
             "instead\n"},
    };
    for (const auto& [arguments, line] : cases) {
        const Said said = playRound(folder.path(), arguments);
        EXPECT_EQ(said.status, 0) << arguments;
        EXPECT_TRUE(said.reported) << arguments << ": the round did not end in game over";
        EXPECT_EQ(std::count(said.err.begin(), said.err.end(), '\n'), 1) << said.err;
        EXPECT_EQ(said.err.rfind(line, 0), 0U) << said.err;
    }
    const Said cutSaid = playRound(folder.path(), cases[0].first);
    EXPECT_NE(cutSaid.err.find(" of its 50 pictures; the built-in world shows instead\n"),
              std::string::npos)
        << cutSaid.err;
}

}  // namespace
}  // namespace rovuzu
