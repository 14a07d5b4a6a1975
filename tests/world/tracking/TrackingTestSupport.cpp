#include "tests/world/tracking/TrackingTestSupport.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <glm/gtc/quaternion.hpp>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>

#include "platform/world/tracking/RotationVector.hpp"
#include "tools/trackeval/Panorama.hpp"

namespace rovuzu::testing {

const cv::Mat& testPanorama() {
    static const cv::Mat panorama = makePanorama(2048, 3);
    return panorama;
}

SyntheticSequence::Settings testSettings(const std::string& name, RotationPath path) {
    return {.name = name, .path = std::move(path), .size = kTestPictureSize};
}

double errorDegrees(const glm::quat& estimate, const glm::dmat3& origin, const glm::dmat3& truth) {
    const glm::dmat3 relative = glm::transpose(origin) * truth;
    return angleBetween(glm::mat3_cast(glm::dquat(estimate)), relative) * 180.0 / CV_PI;
}

CameraFrame blankFrame(int width, int height, double time, int seed) {
    CameraFrame frame{width, height, {}, time};
    frame.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    cv::Mat picture(height, width, CV_8UC3, frame.rgb.data());
    cv::RNG random(static_cast<std::uint64_t>(seed));
    random.fill(picture, cv::RNG::NORMAL, cv::Scalar::all(128.0), cv::Scalar::all(1.5));
    return frame;
}

TemporaryFolder::TemporaryFolder() {
    static std::atomic<int> count{0};
    path_ = std::filesystem::temp_directory_path() /
            ("rovuzu-tracking-test-" + std::to_string(getpid()) + "-" + std::to_string(count++));
    std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writePanVideo(const std::filesystem::path& file, int frames, double degrees) {
    cv::VideoWriter writer(file.string(), cv::VideoWriter::fourcc('M', 'J', 'P', 'G'), 50.0,
                           kTestPictureSize);
    ASSERT_TRUE(writer.isOpened()) << file;
    SyntheticSequence sequence(
        testSettings("pan", RotationPath({{0, 0, 0, 0}, {1, degrees, 0, 0}})), testPanorama());
    CameraFrame frame;
    glm::dmat3 truth;
    for (int i = 0; i < frames; ++i) {
        sequence.frame(i, frame, truth);
        const cv::Mat rgb(frame.height, frame.width, CV_8UC3, frame.rgb.data());
        cv::Mat bgr;
        cv::cvtColor(rgb, bgr, cv::COLOR_RGB2BGR);
        writer.write(bgr);
    }
}

}  // namespace rovuzu::testing
