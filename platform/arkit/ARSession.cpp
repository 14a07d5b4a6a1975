#include "platform/arkit/ARSession.hpp"

#include <glm/matrix.hpp>

#include "platform/arkit/ARSessionObserver.hpp"
#include "platform/foundation/NSError.hpp"

namespace rovuzu {

namespace {
bool has(ARSessionRunOptions options, ARSessionRunOptions flag) {
    return (static_cast<unsigned>(options) & static_cast<unsigned>(flag)) != 0U;
}
}  // namespace

void ARSession::runWithConfiguration(const ARWorldTrackingConfiguration& /*configuration*/,
                                     ARSessionRunOptions options) {
    if (!everRun_ || has(options, ARSessionRunOptions::resetTracking)) {
        origin_ = devicePose_;
        everRun_ = true;
    }
    if (has(options, ARSessionRunOptions::removeExistingAnchors)) {
        anchors_.clear();
    }
    running_ = true;
    track();
}

void ARSession::pause() {
    running_ = false;
}

void ARSession::addAnchor(std::shared_ptr<ARAnchor> anchor) {
    if (anchor) {
        anchors_.push_back(std::move(anchor));
    }
}

void ARSession::setDevicePose(const simd_float4x4& pose) {
    devicePose_ = pose;
    track();
}

void ARSession::track() {
    if (running_ && !interrupted_) {
        cameraTransform_ = glm::inverse(origin_) * devicePose_;
    }
}

void ARSession::failWithError(const NSError& error) {
    running_ = false;
    if (const auto observer = observer_.lock()) {
        observer->session(*this, error);
    }
}

void ARSession::interrupt() {
    if (interrupted_) {
        return;
    }
    interrupted_ = true;
    if (const auto observer = observer_.lock()) {
        observer->sessionWasInterrupted(*this);
    }
}

void ARSession::endInterruption() {
    if (!interrupted_) {
        return;
    }
    interrupted_ = false;
    track();
    if (const auto observer = observer_.lock()) {
        observer->sessionInterruptionEnded(*this);
    }
}

}  // namespace rovuzu
