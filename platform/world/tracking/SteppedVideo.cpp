#include "platform/world/tracking/SteppedVideo.hpp"

#include <glm/gtc/quaternion.hpp>
#include <iostream>

namespace rovuzu {

SteppedVideo::SteppedVideo(std::unique_ptr<CameraSource> source, const CameraLens& lens)
    : source_(std::move(source)), lens_(lens), tracker_(lens) {}

std::optional<YawPitchRoll> SteppedVideo::update(double now) {
    if (!started_) {
        started_ = true;
        startedAt_ = now;
    }
    bool tracked = false;
    while (takePending(now)) {
        tracker_.track(current_);
        tracked = true;
    }
    if (!tracked || tracker_.state() != TrackingState::Tracking) {
        return std::nullopt;
    }
    return yawPitchRollFromRotation(glm::dmat3{glm::mat3_cast(tracker_.orientation())});
}

const CameraFrame* SteppedVideo::picture() const {
    return number_ > 0 && !failed_ ? &current_ : nullptr;
}

std::optional<CameraIntrinsics> SteppedVideo::intrinsics() const {
    if (picture() == nullptr) {
        return std::nullopt;
    }
    return lens_.intrinsicsFor(current_.width, current_.height);
}

bool SteppedVideo::trackingLost() const {
    return number_ > 0 && tracker_.state() == TrackingState::Lost;
}

// Makes the next frame the current one when it is due; false when it is not, or none is left.
bool SteppedVideo::takePending(double now) {
    if (!hasPending_) {
        if (ended_) {
            return false;
        }
        const CameraSource::Status status = source_->read(pending_);
        if (status != CameraSource::Status::Frame) {
            // At the end the last picture stays on show; after a failure it goes.
            ended_ = true;
            failed_ = status == CameraSource::Status::Failed;
            if (failed_) {
                std::cerr << "rovuzu: " << source_->problem()
                          << "; the built-in world shows instead\n";
            }
            return false;
        }
        hasPending_ = true;
        if (number_ == 0) {
            firstTime_ = pending_.time;
        }
    }
    if (pending_.time - firstTime_ > now - startedAt_) {
        return false;
    }
    std::swap(current_, pending_);
    hasPending_ = false;
    ++number_;
    return true;
}

}  // namespace rovuzu
