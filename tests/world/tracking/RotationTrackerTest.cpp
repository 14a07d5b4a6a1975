#include <gtest/gtest.h>

#include <cmath>
#include <glm/gtc/quaternion.hpp>
#include <opencv2/imgproc.hpp>

#include "platform/world/tracking/RotationTracker.hpp"
#include "platform/world/tracking/YawPitchRoll.hpp"
#include "tests/world/tracking/TrackingTestSupport.hpp"
#include "tools/trackeval/Evaluation.hpp"

namespace rovuzu {
namespace {

using testing::blankFrame;
using testing::errorDegrees;
using testing::testPanorama;
using testing::testSettings;

constexpr double kDegrees = 180.0 / CV_PI;

Evaluation run(RotationPath path) {
    SyntheticSequence sequence(testSettings("test", std::move(path)), testPanorama());
    return evaluate(sequence);
}

YawPitchRoll anglesOf(const RotationTracker& tracker) {
    return yawPitchRollFromRotation(glm::mat3_cast(glm::dquat(tracker.orientation())));
}

// The picture of frame 0 of a still camera, moved by a whole number of pixels.
CameraFrame shiftedPicture(int right, int down, double time) {
    SyntheticSequence sequence(testSettings("still", RotationPath({{0, 0, 0, 0}, {1, 0, 0, 0}})),
                               testPanorama());
    CameraFrame frame;
    glm::dmat3 truth;
    sequence.frame(0, frame, truth);
    cv::Mat picture(frame.height, frame.width, CV_8UC3, frame.rgb.data());
    const cv::Mat shift = (cv::Mat_<double>(2, 3) << 1, 0, right, 0, 1, down);
    cv::warpAffine(picture.clone(), picture, shift, picture.size(), cv::INTER_NEAREST,
                   cv::BORDER_REPLICATE);
    frame.time = time;
    return frame;
}

TEST(RotationTracker, FollowsASwayingPanWithinTwoDegrees) {
    const Evaluation result = run(RotationPath({{0, 0, 0, 0}, {3, 30, 0, 0}}, {{2, 4, 3, 2}}));
    ASSERT_EQ(result.frames.size(), 91U);
    EXPECT_EQ(result.lostShare, 0.0);
    EXPECT_LT(result.maxErrorDegrees, 2.0);
}

TEST(RotationTracker, FollowsFastFlicksWithinTwoDegrees) {
    // Peaks near 200 degrees a second.
    const Evaluation result = run(RotationPath({{0, 0, 0, 0},
                                                {0.5, 0, 0, 0},
                                                {0.8, 35, 10, 5},
                                                {1.5, 35, 10, 5},
                                                {1.8, -5, -10, -5},
                                                {2.5, -5, -10, -5}}));
    EXPECT_EQ(result.lostShare, 0.0);
    EXPECT_LT(result.maxErrorDegrees, 2.0);
}

TEST(RotationTracker, SlowPanHardlyDrifts) {
    // Eight seconds, turning the whole view over more than once.
    const Evaluation result = run(RotationPath({{0, 0, 0, 0}, {8, 80, 0, 0}}, {{0, 5, 2, 8}}));
    EXPECT_EQ(result.lostShare, 0.0);
    EXPECT_LT(result.maxErrorDegrees, 0.5);
    EXPECT_LT(std::abs(result.driftDegreesPerMinute), 2.0);
}

TEST(RotationTracker, TurningLeftIsPositiveYawAndLookingUpPositivePitch) {
    // A shift is near enough, not quite, a rotation away from the middle of the picture.
    const double shifted = std::atan(4.0 / (160.0 / std::tan(CV_PI / 6.0))) * kDegrees;
    // The scene sliding right means the camera turned left; sliding down, it looked up.
    for (const bool right : {true, false}) {
        RotationTracker tracker;
        tracker.track(shiftedPicture(0, 0, 0.0));
        ASSERT_EQ(tracker.track(shiftedPicture(right ? 4 : 0, right ? 0 : 4, 1.0 / 30)),
                  TrackingState::Tracking);
        const YawPitchRoll angles = anglesOf(tracker);
        EXPECT_NEAR(angles.yaw * kDegrees, right ? shifted : 0.0, right ? 0.15 : 0.1);
        EXPECT_NEAR(angles.pitch * kDegrees, right ? 0.0 : shifted, right ? 0.1 : 0.15);
    }
}

// Frames 30 to 59 come from a covered lens while the camera drifts a few degrees; uncovered,
// the view from before is found again.
TEST(RotationTracker, LosesTrackingOnABlankPictureAndFindsTheViewAgain) {
    SyntheticSequence sequence(
        testSettings("covered",
                     RotationPath({{0, 0, 0, 0}, {1, 10, 0, 0}, {2, 13, 3, 2}, {3.3, 5, 0, 0}})),
        testPanorama());
    RotationTracker tracker;
    CameraFrame frame;
    glm::dmat3 truth;
    glm::dmat3 origin;
    glm::quat held;
    int regained = -1;
    double lastError = 0.0;
    for (int i = 0; i < 100; ++i) {
        sequence.frame(i, frame, truth);
        origin = i == 0 ? truth : origin;
        const bool covered = i >= 30 && i < 60;
        const TrackingState state =
            tracker.track(covered ? blankFrame(frame.width, frame.height, frame.time, i) : frame);
        if (i < 30) {
            EXPECT_EQ(state, TrackingState::Tracking) << "frame " << i;
            held = tracker.orientation();
        } else if (covered) {
            EXPECT_EQ(state, TrackingState::Lost) << "frame " << i;
            EXPECT_EQ(tracker.orientation(), held) << "frame " << i;
        } else if (regained < 0 && state == TrackingState::Tracking) {
            regained = i;
        }
        lastError = errorDegrees(tracker.orientation(), origin, truth);
    }
    EXPECT_GE(regained, 60);
    EXPECT_LE(regained, 63);
    EXPECT_EQ(tracker.state(), TrackingState::Tracking);
    EXPECT_LT(lastError, 1.0);
}

// The camera turns 35 degrees while its lens is covered, too far to find the old view again.
double errorAfterBlindTurn(bool withGyro) {
    SyntheticSequence::Settings settings = testSettings(
        "blind turn", RotationPath({{0, 0, 0, 0}, {1.2, 0, 0, 0}, {2.3, 35, 8, 0}, {3.3, 35, 8, 0}},
                                   {{1, 2, 1, 2.5}}));
    settings.gyro = SyntheticSequence::Gyro{0.03, {0.01, -0.01, 0.005}, 200.0};
    SyntheticSequence sequence(std::move(settings), testPanorama());
    const std::vector<GyroReading> gyro = sequence.gyro();
    auto reading = gyro.begin();
    RotationTracker tracker;
    CameraFrame frame;
    glm::dmat3 truth;
    glm::dmat3 origin;
    for (int i = 0; i < sequence.frameCount(); ++i) {
        sequence.frame(i, frame, truth);
        origin = i == 0 ? truth : origin;
        for (; withGyro && reading != gyro.end() && reading->time <= frame.time; ++reading) {
            tracker.addGyroSample(reading->angularVelocity, reading->time);
        }
        const bool covered = frame.time > 1.1 && frame.time < 2.4;
        tracker.track(covered ? blankFrame(frame.width, frame.height, frame.time, i) : frame);
    }
    EXPECT_EQ(tracker.state(), TrackingState::Tracking);
    return errorDegrees(tracker.orientation(), origin, truth);
}

TEST(RotationTracker, GyroCarriesTheOrientationWhileThePictureIsBlank) {
    EXPECT_GT(errorAfterBlindTurn(false), 20.0);
    EXPECT_LT(errorAfterBlindTurn(true), 2.0);
}

TEST(RotationTracker, TakesPicturesWithoutContentAsLostAndTracksOnceThereIsTexture) {
    RotationTracker tracker;
    EXPECT_EQ(tracker.track(CameraFrame{}), TrackingState::Lost);
    EXPECT_EQ(tracker.track(CameraFrame{320, 240, std::vector<std::uint8_t>(100), 0.1}),
              TrackingState::Lost);
    EXPECT_EQ(tracker.track(CameraFrame{-5, 7, {}, 0.2}), TrackingState::Lost);
    double time = 0.2;
    const std::pair<int, int> oddSizes[] = {{1, 1},     {3, 7}, {2000, 2}, {2, 900},  {17, 13},
                                            {320, 240}, {1, 1}, {64, 48},  {641, 479}};
    for (const auto& [width, height] : oddSizes) {
        const CameraFrame blank = blankFrame(width, height, time += 0.03, width);
        EXPECT_EQ(tracker.track(blank), TrackingState::Lost) << width << "x" << height;
    }
    EXPECT_EQ(tracker.featureCount(), 0);
    EXPECT_EQ(tracker.orientation(), glm::quat(1.0F, 0.0F, 0.0F, 0.0F));
    // Nothing was tracked before, so there is nothing to check the first texture against.
    EXPECT_EQ(tracker.track(shiftedPicture(0, 0, time + 0.1)), TrackingState::Tracking);
    EXPECT_EQ(tracker.track(shiftedPicture(2, 0, time + 0.13)), TrackingState::Tracking);
    EXPECT_GT(tracker.featureCount(), 50);
    EXPECT_GT(tracker.inlierCount(), 50);
}

}  // namespace
}  // namespace rovuzu
