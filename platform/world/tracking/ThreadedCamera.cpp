#include "platform/world/tracking/ThreadedCamera.hpp"

#include "platform/world/tracking/CameraSource.hpp"

namespace rovuzu {

ThreadedCamera::ThreadedCamera(std::unique_ptr<CameraSource> source, const CameraLens& lens)
    : lens_(lens), poses_(std::move(source), lens) {}

std::optional<YawPitchRoll> ThreadedCamera::update(double /*now*/) {
    const auto sample = poses_.latest();
    if (!sample || (current_ && sample->frameNumber == current_->frameNumber)) {
        return std::nullopt;
    }
    current_ = sample;
    if (sample->state != TrackingState::Tracking) {
        return std::nullopt;
    }
    return sample->angles;
}

const CameraFrame* ThreadedCamera::picture() const {
    return current_ && !current_->failed ? &current_->frame : nullptr;
}

std::uint64_t ThreadedCamera::pictureNumber() const {
    return current_ && !current_->failed ? current_->frameNumber : 0;
}

std::optional<CameraIntrinsics> ThreadedCamera::intrinsics() const {
    if (const CameraFrame* shown = picture()) {
        return lens_.intrinsicsFor(shown->width, shown->height);
    }
    return std::nullopt;
}

bool ThreadedCamera::trackingLost() const {
    return current_ && current_->state == TrackingState::Lost;
}

}  // namespace rovuzu
