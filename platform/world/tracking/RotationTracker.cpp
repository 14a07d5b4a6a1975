#include "platform/world/tracking/RotationTracker.hpp"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <opencv2/video/tracking.hpp>
#include <optional>
#include <utility>
#include <vector>

#include "platform/world/tracking/CornerDetection.hpp"
#include "platform/world/tracking/GyroIntegrator.hpp"
#include "platform/world/tracking/RotationFit.hpp"
#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {
namespace {

// Tracking runs on a picture about this wide: plenty for a rotation, and quick.
constexpr int kWorkingSide = 320;
// Smaller pictures have too little room for the corners and the flow's windows.
constexpr int kMinWorkingSide = 32;
constexpr int kWantedCorners = 100;
constexpr int kReplenishBelow = 70;
constexpr int kMinCornersToStart = 25;
constexpr int kMinInliers = 15;
constexpr double kMinInlierShare = 0.3;
// The view from before tracking was lost often shows few corners, as texture was running out;
// but nearly all of them must agree, as finding it again moves the world.
constexpr int kMinRelocalisedInliers = 10;
constexpr double kMinRelocalisedShare = 0.8;
// How far, in working pixels, a corner may sit from where the fitted rotation puts it.
constexpr double kInlierPixels = 1.5;
constexpr int kWindowSide = 15;
constexpr int kPyramidLevels = 3;
constexpr int kFlowIterations = 20;
constexpr double kFlowEpsilon = 0.03;
// Corners this near the edge have slid partly out of view.
constexpr float kEdgeMargin = 4.0F;
// Pictures are brightened or darkened to this mean, within these gains.
constexpr double kMeanBrightness = 128.0;
constexpr double kMinGain = 0.25;
constexpr double kMaxGain = 8.0;
// How far a corner must stand out, in the camera's own grey levels: well above the noise of a
// webcam in a dim room.
constexpr double kCornerContrast = 12.0;
// Frames further apart than this say nothing about the current angular velocity.
constexpr double kMaxFrameGap = 0.5;

struct Prediction {
    glm::dmat3 rotation;
    bool fromGyro = false;
};

// Corners in a working picture, each with the world direction it had when it was found.
struct Corners {
    std::vector<cv::Point2f> points;
    std::vector<glm::dvec3> anchors;

    [[nodiscard]] std::size_t size() const { return points.size(); }
    void clear() {
        points.clear();
        anchors.clear();
    }
    void keep(const std::vector<std::uint8_t>& marked) {
        std::size_t kept = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            if (marked[i] != 0) {
                points[kept] = points[i];
                anchors[kept] = anchors[i];
                ++kept;
            }
        }
        points.resize(kept);
        anchors.resize(kept);
    }
};

// The last picture before tracking was lost, kept to find that view again.
struct Keyframe {
    std::vector<cv::Mat> pyramid;
    Corners corners;
    glm::dmat3 orientation;
};

struct Followed {
    Corners corners;
    RotationFit::Result fit;
};

bool convincing(const Followed& followed, int minInliers, double share) {
    const int inliers = followed.fit.inlierCount;
    return inliers >= minInliers && inliers >= share * static_cast<double>(followed.corners.size());
}

}  // namespace

class RotationTracker::Impl {
  public:
    explicit Impl(const CameraLens& lens) : lens_(lens) {}

    TrackingState track(const CameraFrame& frame);
    void addGyroSample(const glm::dvec3& angularVelocity, double time) {
        gyro_.add(angularVelocity, time);
    }

    glm::dmat3 orientation_{1.0};
    TrackingState state_ = TrackingState::Lost;
    int featureCount_ = 0;
    int inlierCount_ = 0;

  private:
    bool prepare(const CameraFrame& frame);
    void configure(int width, int height);
    [[nodiscard]] Prediction predict(double time);
    void followPrevious(const Prediction& prediction, double seconds);
    [[nodiscard]] Followed follow(const std::vector<cv::Mat>& from, Corners corners,
                                  const glm::dmat3& guess);
    void accept(const Followed& followed, const Prediction& prediction, double seconds);
    void lose(const Prediction& prediction);
    void relocalise();
    void restart();
    void addCorners(int wanted);

    CameraLens lens_;
    cv::Size frameSize_;
    cv::Size workingSize_;
    // The camera as seen in the working picture.
    std::optional<CameraIntrinsics> camera_;
    int downscale_ = 1;
    cv::Mat gray_;
    cv::Mat small_;
    cv::Mat working_;
    double gain_ = 1.0;
    std::vector<cv::Mat> pyramid_;
    std::vector<cv::Mat> previousPyramid_;
    Corners corners_;
    // Whether the corners' anchors descend from the first frame without a gap. After a loss
    // they are placed from a held orientation, and are only as right as that guess.
    bool anchored_ = true;
    std::optional<Keyframe> keyframe_;
    glm::dvec3 angularVelocity_{0.0};
    std::optional<double> lastTime_;
    bool everTracked_ = false;
    std::optional<RotationFit> fit_;
    GyroIntegrator gyro_;
};

TrackingState RotationTracker::Impl::track(const CameraFrame& frame) {
    const Prediction prediction = predict(frame.time);
    const double seconds = lastTime_ ? frame.time - *lastTime_ : 0.0;
    lastTime_ = frame.time;
    if (!prepare(frame)) {
        lose(prediction);
        previousPyramid_.clear();
        featureCount_ = 0;
        return state_;
    }
    cv::buildOpticalFlowPyramid(working_, pyramid_, cv::Size(kWindowSide, kWindowSide),
                                kPyramidLevels, true, cv::BORDER_REFLECT_101, cv::BORDER_CONSTANT,
                                false);
    if (corners_.size() > 0 && !previousPyramid_.empty()) {
        followPrevious(prediction, seconds);
    } else {
        lose(prediction);
    }
    if (keyframe_) {
        relocalise();
    }
    if (state_ == TrackingState::Lost) {
        restart();
    } else if (static_cast<int>(corners_.size()) < kReplenishBelow) {
        addCorners(kWantedCorners - static_cast<int>(corners_.size()));
    }
    std::swap(pyramid_, previousPyramid_);
    return state_;
}

bool RotationTracker::Impl::prepare(const CameraFrame& frame) {
    const auto bytes = static_cast<std::size_t>(frame.width) * frame.height * 3;
    if (frame.width <= 0 || frame.height <= 0 || frame.rgb.size() != bytes) {
        return false;
    }
    if (frameSize_ != cv::Size(frame.width, frame.height)) {
        configure(frame.width, frame.height);
    }
    if (std::min(workingSize_.width, workingSize_.height) < kMinWorkingSide) {
        return false;
    }
    // OpenCV only reads through this header; the frame stays untouched.
    const cv::Mat rgb(frame.height, frame.width, CV_8UC3,
                      const_cast<std::uint8_t*>(frame.rgb.data()));  // NOLINT
    cv::cvtColor(rgb, gray_, cv::COLOR_RGB2GRAY);
    cv::Mat small = gray_;
    if (downscale_ > 1) {
        cv::resize(gray_, small_, workingSize_, 0.0, 0.0, cv::INTER_AREA);
        small = small_;
    }
    // Optical flow assumes steady brightness; undo the camera's exposure changes.
    const double mean = std::max(cv::mean(small)[0], 1.0);
    gain_ = std::clamp(kMeanBrightness / mean, kMinGain, kMaxGain);
    small.convertTo(working_, CV_8U, gain_);
    return true;
}

void RotationTracker::Impl::configure(int width, int height) {
    frameSize_ = cv::Size(width, height);
    downscale_ = std::max(1, std::max(width, height) / kWorkingSide);
    workingSize_ = cv::Size(width / downscale_, height / downscale_);
    const double factor = static_cast<double>(width) / std::max(1, workingSize_.width);
    camera_ = lens_.intrinsicsFor(width, height).downscaled(factor);
    fit_.emplace(kInlierPixels / camera_->focalLength());
    corners_.clear();
    previousPyramid_.clear();
    keyframe_.reset();
}

Prediction RotationTracker::Impl::predict(double time) {
    Prediction prediction{orientation_};
    if (!lastTime_) {
        return prediction;
    }
    const double seconds = time - *lastTime_;
    if (const auto turn = gyro_.rotationBetween(*lastTime_, time)) {
        prediction.rotation = orientation_ * *turn;
        prediction.fromGyro = true;
    } else if (state_ == TrackingState::Tracking && seconds > 0.0 && seconds < kMaxFrameGap) {
        prediction.rotation = orientation_ * rotationFromVector(angularVelocity_ * seconds);
    }
    return prediction;
}

void RotationTracker::Impl::followPrevious(const Prediction& prediction, double seconds) {
    const Followed followed = follow(previousPyramid_, corners_, prediction.rotation);
    featureCount_ = static_cast<int>(followed.corners.size());
    inlierCount_ = followed.fit.inlierCount;
    if (convincing(followed, kMinInliers, kMinInlierShare)) {
        accept(followed, prediction, seconds);
        return;
    }
    if (anchored_) {
        keyframe_ = Keyframe{std::move(previousPyramid_), corners_, orientation_};
        previousPyramid_.clear();
    }
    lose(prediction);
}

// Tracks corners from an earlier picture into the current one, starting each search where
// `guess` (the current orientation expected) puts the corner's anchor, and fits the rotation.
Followed RotationTracker::Impl::follow(const std::vector<cv::Mat>& from, Corners corners,
                                       const glm::dmat3& guess) {
    const glm::dmat3 toCamera = glm::transpose(guess);
    std::vector<cv::Point2f> moved(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const glm::dvec3 direction = toCamera * corners.anchors[i];
        const glm::dvec2 pixel = camera_->project(direction);
        moved[i] = direction.z < 0.0
                       ? cv::Point2f(static_cast<float>(pixel.x), static_cast<float>(pixel.y))
                       : corners.points[i];
    }
    std::vector<std::uint8_t> found;
    std::vector<float> errors;
    const cv::TermCriteria criteria(cv::TermCriteria::COUNT | cv::TermCriteria::EPS,
                                    kFlowIterations, kFlowEpsilon);
    cv::calcOpticalFlowPyrLK(from, pyramid_, corners.points, moved, found, errors,
                             cv::Size(kWindowSide, kWindowSide), kPyramidLevels, criteria,
                             cv::OPTFLOW_USE_INITIAL_FLOW);
    const cv::Rect2f inside(kEdgeMargin, kEdgeMargin,
                            static_cast<float>(working_.cols) - 2 * kEdgeMargin,
                            static_cast<float>(working_.rows) - 2 * kEdgeMargin);
    for (std::size_t i = 0; i < moved.size(); ++i) {
        found[i] = found[i] != 0 && inside.contains(moved[i]) ? 1 : 0;
    }
    corners.points = std::move(moved);
    corners.keep(found);

    std::vector<glm::dvec3> bearings(corners.size());
    for (std::size_t i = 0; i < corners.size(); ++i) {
        bearings[i] = camera_->bearing({corners.points[i].x, corners.points[i].y});
    }
    RotationFit::Result fit = fit_->fit(corners.anchors, bearings, guess);
    return {std::move(corners), std::move(fit)};
}

void RotationTracker::Impl::accept(const Followed& followed, const Prediction& prediction,
                                   double seconds) {
    const glm::dmat3& rotation = followed.fit.rotation;
    if (prediction.fromGyro) {
        gyro_.correctBias(vectorFromRotation(glm::transpose(prediction.rotation) * rotation),
                          seconds);
    }
    if (seconds > 0.0 && seconds < kMaxFrameGap) {
        angularVelocity_ = vectorFromRotation(glm::transpose(orientation_) * rotation) / seconds;
    }
    orientation_ = rotation;
    corners_ = followed.corners;
    corners_.keep(followed.fit.inliers);
    state_ = TrackingState::Tracking;
}

// Without a gyro the orientation holds still rather than guess at a motion it cannot see.
void RotationTracker::Impl::lose(const Prediction& prediction) {
    if (prediction.fromGyro) {
        orientation_ = prediction.rotation;
    }
    angularVelocity_ = glm::dvec3(0.0);
    corners_.clear();
    state_ = TrackingState::Lost;
}

// Looks for the view from before tracking was lost, both where the orientation now puts it
// and where it was. Found again, it brings back the world as it was, undoing whatever the
// orientation missed while it was held.
void RotationTracker::Impl::relocalise() {
    Followed followed = follow(keyframe_->pyramid, keyframe_->corners, orientation_);
    if (!convincing(followed, kMinRelocalisedInliers, kMinRelocalisedShare)) {
        followed = follow(keyframe_->pyramid, keyframe_->corners, keyframe_->orientation);
        if (!convincing(followed, kMinRelocalisedInliers, kMinRelocalisedShare)) {
            return;
        }
    }
    orientation_ = followed.fit.rotation;
    corners_ = followed.corners;
    corners_.keep(followed.fit.inliers);
    featureCount_ = static_cast<int>(corners_.size());
    inlierCount_ = followed.fit.inlierCount;
    angularVelocity_ = glm::dvec3(0.0);
    anchored_ = true;
    keyframe_.reset();
    state_ = TrackingState::Tracking;
}

// Starts over on the current picture from the orientation held, once it has enough texture;
// tracking counts as regained when the next frame agrees, except on the very first picture,
// which defines the world.
void RotationTracker::Impl::restart() {
    addCorners(kWantedCorners);
    featureCount_ = static_cast<int>(corners_.size());
    if (static_cast<int>(corners_.size()) < kMinCornersToStart) {
        corners_.clear();
        return;
    }
    if (everTracked_) {
        anchored_ = false;
    } else {
        everTracked_ = true;
        state_ = TrackingState::Tracking;
    }
}

void RotationTracker::Impl::addCorners(int wanted) {
    // Brightening a dim picture brightens its noise too; the threshold keeps to the camera's scale.
    const int threshold = static_cast<int>(std::lround(kCornerContrast * std::max(1.0, gain_)));
    for (const cv::Point2f& corner : detectCorners(working_, corners_.points, wanted, threshold)) {
        corners_.points.push_back(corner);
        corners_.anchors.push_back(orientation_ * camera_->bearing({corner.x, corner.y}));
    }
}

RotationTracker::RotationTracker(const CameraLens& lens) : impl_(std::make_unique<Impl>(lens)) {}
RotationTracker::~RotationTracker() = default;
RotationTracker::RotationTracker(RotationTracker&&) noexcept = default;
RotationTracker& RotationTracker::operator=(RotationTracker&&) noexcept = default;

void RotationTracker::addGyroSample(const glm::dvec3& angularVelocity, double time) {
    impl_->addGyroSample(angularVelocity, time);
}

TrackingState RotationTracker::track(const CameraFrame& frame) {
    return impl_->track(frame);
}

glm::quat RotationTracker::orientation() const {
    return glm::quat_cast(glm::mat3(impl_->orientation_));
}

TrackingState RotationTracker::state() const {
    return impl_->state_;
}
int RotationTracker::featureCount() const {
    return impl_->featureCount_;
}
int RotationTracker::inlierCount() const {
    return impl_->inlierCount_;
}

}  // namespace rovuzu
