#include "platform/world/tracking/VisualPoseSource.hpp"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <opencv2/core/utility.hpp>

#include "platform/world/tracking/CameraSource.hpp"

namespace rovuzu {
namespace {

// Sleeps no longer than this at once, to notice a stop request soon.
constexpr std::chrono::milliseconds kLongestNap{10};

}  // namespace

VisualPoseSource::VisualPoseSource(std::unique_ptr<CameraSource> camera, const CameraLens& lens)
    : camera_(std::move(camera)), tracker_(lens) {
    // Tracking fits in one core; OpenCV's thread pool would take the game's other core too.
    cv::setNumThreads(1);
    worker_ = std::jthread([this](const std::stop_token& stop) { run(stop); });
}

VisualPoseSource::~VisualPoseSource() {
    worker_.request_stop();
    worker_.join();
    delete mailbox_.exchange(nullptr);  // NOLINT(cppcoreguidelines-owning-memory)
}

std::shared_ptr<const VisualPoseSource::Sample> VisualPoseSource::latest() const {
    if (Sample* fresh = mailbox_.exchange(nullptr, std::memory_order_acq_rel)) {
        taken_.reset(fresh);
    }
    return taken_;
}

void VisualPoseSource::run(const std::stop_token& stop) {
    CameraFrame frame;
    std::uint64_t number = 0;
    while (!stop.stop_requested()) {
        const CameraSource::Status status = camera_->read(frame);
        if (status != CameraSource::Status::Frame) {
            // At the end the last picture stays on show; after a failure it goes.
            const bool failed = status == CameraSource::Status::Failed;
            if (failed) {
                std::cerr << "rovuzu: " << camera_->problem()
                          << "; the built-in world shows instead\n";
            }
            publish(frame, number, true, failed);
            return;
        }
        if (camera_->isFile() && !waitForFrameTime(stop, frame.time)) {
            return;
        }
        tracker_.track(frame);
        publish(frame, ++number, false);
    }
}

// Plays a file at its own frame rate; false when asked to stop while waiting.
bool VisualPoseSource::waitForFrameTime(const std::stop_token& stop, double time) {
    if (!playStart_) {
        playStart_ = std::chrono::steady_clock::now();
        firstFrameTime_ = time;
    }
    const auto due = *playStart_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                       std::chrono::duration<double>(time - firstFrameTime_));
    while (std::chrono::steady_clock::now() < due) {
        if (stop.stop_requested()) {
            return false;
        }
        const auto left = due - std::chrono::steady_clock::now();
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, kLongestNap));
    }
    return !stop.stop_requested();
}

void VisualPoseSource::publish(const CameraFrame& frame, std::uint64_t number, bool ended,
                               bool failed) {
    auto sample = std::make_unique<Sample>();
    sample->orientation = tracker_.orientation();
    sample->angles = yawPitchRollFromRotation(glm::mat3_cast(glm::dquat(sample->orientation)));
    sample->state = tracker_.state();
    sample->featureCount = tracker_.featureCount();
    sample->frame = frame;
    sample->frameNumber = number;
    sample->ended = ended;
    sample->failed = failed;
    // NOLINTNEXTLINE(cppcoreguidelines-owning-memory)
    delete mailbox_.exchange(sample.release(), std::memory_order_acq_rel);
}

}  // namespace rovuzu
