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

TEST(CameraSource, NamesWhyADeviceCannotBeOpened) {
    const TemporaryFolder folder;
    const std::string file = (folder.path() / "video0").string();
    writeFile(file, "not a camera");
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/rovuzu-no-such-camera", "no such device"},
        {file, "not a video device"},
        {"/dev/null", "busy, or not a video capture device"}};
    for (const auto& [path, why] : cases) {
        const auto opened = CameraSource::openDevice(path);
        EXPECT_EQ(opened.source, nullptr) << path;
        EXPECT_EQ(opened.problem, path + ": cannot open the camera (" + why + ")");
    }
}

TEST(CameraSource, NamesWhyAFileCannotBeOpened) {
    const TemporaryFolder folder;
    const std::string empty = (folder.path() / "empty.mp4").string();
    writeFile(empty, "");
    const std::pair<std::string, std::string> cases[] = {
        {"/nonexistent/rovuzu/clip.mp4", "no such file"},
        {empty, "the file is empty"},
        {folder.path().string(), "it is a directory"}};
    for (const auto& [path, why] : cases) {
        const auto opened = CameraSource::openFile(path);
        EXPECT_EQ(opened.source, nullptr) << path;
        EXPECT_EQ(opened.problem, path + ": cannot open the video (" + why + ")");
    }
}

TEST(CameraSource, RefusesGarbageAndATruncatedVideoInOneLine) {
    const TemporaryFolder folder;
    std::string noise(50000, '\0');
    for (std::size_t i = 0; i < noise.size(); ++i) {
        noise[i] = static_cast<char>((i * 7919U) % 251U);
    }
    writeFile(folder.path() / "garbage.avi", noise);
    std::string head(200, '\0');
    std::ifstream(writeVideo(folder.path()), std::ios::binary)
        .read(head.data(), static_cast<std::streamsize>(head.size()));
    writeFile(folder.path() / "cut.avi", head);
    for (const char* name : {"garbage.avi", "cut.avi"}) {
        const std::string path = (folder.path() / name).string();
        const auto opened = CameraSource::openFile(path);
        EXPECT_EQ(opened.source, nullptr);
        EXPECT_EQ(opened.problem.rfind(path + ": cannot ", 0), 0U) << opened.problem;
        EXPECT_EQ(opened.problem.find('\n'), std::string::npos);
    }
}

TEST(CameraSource, PlaysAVideoBackWithItsColoursAndTimesOnceOrLooped) {
    const TemporaryFolder folder;
    const std::string video = writeVideo(folder.path());
    const auto opened = CameraSource::openFile(video);
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
    const auto looped = CameraSource::openFile(video, CameraSource::AtEnd::Loop);
    ASSERT_NE(looped.source, nullptr) << looped.problem;
    for (int i = 0; i < 3 * kFrames; ++i) {
        ASSERT_EQ(looped.source->read(frame), CameraSource::Status::Frame) << "frame " << i;
        EXPECT_NEAR(frame.time, i / kFramesPerSecond, 1e-6);
    }
}

}  // namespace
}  // namespace rovuzu
