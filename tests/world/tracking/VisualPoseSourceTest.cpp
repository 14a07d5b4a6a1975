#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/world/tracking/CameraSource.hpp"
#include "platform/world/tracking/VisualPoseSource.hpp"
#include "tests/world/tracking/TrackingTestSupport.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

constexpr int kFrames = 20;

// A short pan over the test panorama.
std::string writePan(const std::filesystem::path& folder) {
    const auto path = folder / "pan.avi";
    testing::writePanVideo(path, kFrames, 10.0);
    return path.string();
}

std::shared_ptr<const VisualPoseSource::Sample> waitFor(
    const VisualPoseSource& source,
    const std::function<bool(const VisualPoseSource::Sample&)>& done) {
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < giveUp) {
        auto sample = source.latest();
        if (sample && done(*sample)) {
            return sample;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return nullptr;
}

TEST(VisualPoseSource, TracksAVideoToItsEnd) {
    const TemporaryFolder folder;
    auto opened = CameraSource::openFile(writePan(folder.path()));
    ASSERT_NE(opened.source, nullptr) << opened.problem;
    const VisualPoseSource source(std::move(opened.source));
    std::uint64_t seen = 0;
    const auto last = waitFor(source, [&](const VisualPoseSource::Sample& sample) {
        EXPECT_GE(sample.frameNumber, seen);
        seen = sample.frameNumber;
        return sample.ended;
    });
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->frameNumber, static_cast<std::uint64_t>(kFrames));
    EXPECT_EQ(last->state, TrackingState::Tracking);
    EXPECT_GT(last->featureCount, 20);
    EXPECT_EQ(last->frame.width, 320);
    EXPECT_EQ(last->frame.rgb.size(), 320U * 240U * 3U);
    EXPECT_NEAR(last->frame.time, (kFrames - 1) / 50.0, 1e-6);
    // The camera turned left by some degrees: a rotation about +y.
    const glm::vec3 axis = glm::axis(last->orientation);
    EXPECT_GT(glm::angle(last->orientation), 0.02F);
    EXPECT_GT(axis.y, 0.9F);
    EXPECT_NEAR(last->angles.yaw, glm::angle(last->orientation), 0.01);
}

TEST(VisualPoseSource, PlaysAtTheVideosOwnPace) {
    const TemporaryFolder folder;
    auto opened = CameraSource::openFile(writePan(folder.path()));
    ASSERT_NE(opened.source, nullptr) << opened.problem;
    const auto start = std::chrono::steady_clock::now();
    const VisualPoseSource source(std::move(opened.source));
    ASSERT_NE(waitFor(source, [](const auto& sample) { return sample.ended; }), nullptr);
    // 20 frames at 50 a second take 0.38 s from the first to the last.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(370));
}

TEST(VisualPoseSource, StopsWhileALoopingVideoPlays) {
    const TemporaryFolder folder;
    auto opened = CameraSource::openFile(writePan(folder.path()), CameraSource::AtEnd::Loop);
    ASSERT_NE(opened.source, nullptr) << opened.problem;
    auto source = std::make_unique<VisualPoseSource>(std::move(opened.source));
    ASSERT_NE(waitFor(*source, [](const auto& sample) { return sample.frameNumber > 25; }),
              nullptr);
    const auto kept = source->latest();
    source.reset();
    // A sample outlives the source that published it.
    EXPECT_FALSE(kept->ended);
    EXPECT_EQ(kept->frame.rgb.size(), 320U * 240U * 3U);
}

}  // namespace
}  // namespace rovuzu
