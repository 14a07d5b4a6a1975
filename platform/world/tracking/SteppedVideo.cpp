#include "platform/world/tracking/SteppedVideo.hpp"

#include <glm/gtc/quaternion.hpp>

namespace rovuzu {

SteppedVideo::SteppedVideo(std::unique_ptr<CameraSource> source) : source_(std::move(source)) {}

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
    return number_ > 0 ? &current_ : nullptr;
}

bool SteppedVideo::trackingLost() const {
    return number_ > 0 && tracker_.state() == TrackingState::Lost;
}

// Makes the next frame the current one when it is due; false when it is not, or none is left.
bool SteppedVideo::takePending(double now) {
    if (!hasPending_) {
        if (ended_ || source_->read(pending_) != CameraSource::Status::Frame) {
            ended_ = true;
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
