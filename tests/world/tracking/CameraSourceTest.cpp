#include <gtest/gtest.h>

#include <fstream>
#include <opencv2/videoio.hpp>

#include "platform/world/tracking/CameraSource.hpp"
#include "tests/world/tracking/TrackingTestSupport.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

constexpr int kFrames = 12;
constexpr double kFramesPerSecond = 10.0;

// Each frame a flat colour: red rising, blue falling, so frames and channels can be told apart.
cv::Scalar colourOf(int frame) {
    const double step = 200.0 / kFrames;
    return {220.0 - step * frame, 60.0, 20.0 + step * frame};  // blue, green, red
}

std::string writeVideo(const std::filesystem::path& folder) {
    std::string path = (folder / "clip.avi").string();
    cv::VideoWriter writer(path, cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), kFramesPerSecond,
                           cv::Size(320, 240));
    EXPECT_TRUE(writer.isOpened());
    for (int i = 0; i < kFrames; ++i) {
        writer.write(cv::Mat(240, 320, CV_8UC3, colourOf(i)));
    }
    return path;
}

void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

TEST(CameraSource, NamesAMissingDevice) {
    const auto opened = CameraSource::openDevice("/dev/rovuzu-no-such-camera");
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem,
              "/dev/rovuzu-no-such-camera: cannot open the camera (no such device)");
}

TEST(CameraSource, RefusesAFileAsADevice) {
    const TemporaryFolder folder;
    const auto path = folder.path() / "video0";
    writeFile(path, "not a camera");
    const auto opened = CameraSource::openDevice(path.string());
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem, path.string() + ": cannot open the camera (not a video device)");
}

TEST(CameraSource, RefusesADeviceThatIsNoCamera) {
    const auto opened = CameraSource::openDevice("/dev/null");
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem,
              "/dev/null: cannot open the camera (busy, or not a video capture device)");
}

TEST(CameraSource, NamesAMissingFile) {
    const auto opened = CameraSource::openFile("/nonexistent/rovuzu/clip.mp4");
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem, "/nonexistent/rovuzu/clip.mp4: cannot open the video (no such file)");
}

TEST(CameraSource, RefusesAnEmptyFile) {
    const TemporaryFolder folder;
    const auto path = folder.path() / "empty.mp4";
    writeFile(path, "");
    const auto opened = CameraSource::openFile(path.string());
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem, path.string() + ": cannot open the video (the file is empty)");
}

TEST(CameraSource, RefusesAFolder) {
    const TemporaryFolder folder;
    const auto opened = CameraSource::openFile(folder.path().string());
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem,
              folder.path().string() + ": cannot open the video (it is a directory)");
}

TEST(CameraSource, RefusesGarbage) {
    const TemporaryFolder folder;
    const auto path = folder.path() / "garbage.avi";
    std::string noise(50000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919U) % 251U);
    }
    writeFile(path, noise);
    const auto opened = CameraSource::openFile(path.string());
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem.rfind(path.string() + ": cannot ", 0), 0U) << opened.problem;
    EXPECT_EQ(opened.problem.find('\n'), std::string::npos);
}

TEST(CameraSource, RefusesATruncatedVideo) {
    const TemporaryFolder folder;
    const std::string video = writeVideo(folder.path());
    const auto path = folder.path() / "cut.avi";
    std::ifstream in(video, std::ios::binary);
    std::string head(200, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    writeFile(path, head);
    const auto opened = CameraSource::openFile(path.string());
    EXPECT_EQ(opened.source, nullptr);
    EXPECT_EQ(opened.problem.rfind(path.string() + ": cannot ", 0), 0U) << opened.problem;
}

TEST(CameraSource, PlaysAVideoBackWithItsColoursAndTimes) {
    const TemporaryFolder folder;
    const auto opened = CameraSource::openFile(writeVideo(folder.path()));
    ASSERT_NE(opened.source, nullptr) << opened.problem;
    CameraSource& source = *opened.source;
    EXPECT_TRUE(source.isFile());
    CameraFrame frame;
    for (int i = 0; i < kFrames; ++i) {
        ASSERT_EQ(source.read(frame), CameraSource::Status::Frame) << "frame " << i;
        ASSERT_EQ(frame.width, 320);
        ASSERT_EQ(frame.height, 240);
        ASSERT_EQ(frame.rgb.size(), 320U * 240U * 3U);
        EXPECT_NEAR(frame.time, i / kFramesPerSecond, 1e-6);
        // The middle pixel, in RGB order.
        const std::size_t middle = (std::size_t{120} * 320 + 160) * 3;
        const cv::Scalar bgr = colourOf(i);
        EXPECT_NEAR(frame.rgb[middle], bgr[2], 8.0) << "frame " << i;
        EXPECT_NEAR(frame.rgb[middle + 1], bgr[1], 8.0) << "frame " << i;
        EXPECT_NEAR(frame.rgb[middle + 2], bgr[0], 8.0) << "frame " << i;
    }
    EXPECT_EQ(source.read(frame), CameraSource::Status::EndOfStream);
    EXPECT_EQ(source.read(frame), CameraSource::Status::EndOfStream);
}

TEST(CameraSource, LoopsAVideoWithRisingTimes) {
    const TemporaryFolder folder;
    const auto opened =
        CameraSource::openFile(writeVideo(folder.path()), CameraSource::AtEnd::Loop);
    ASSERT_NE(opened.source, nullptr) << opened.problem;
    CameraFrame frame;
    for (int i = 0; i < 3 * kFrames; ++i) {
        ASSERT_EQ(opened.source->read(frame), CameraSource::Status::Frame) << "frame " << i;
        EXPECT_NEAR(frame.time, i / kFramesPerSecond, 1e-6);
    }
}

}  // namespace
}  // namespace rovuzu
