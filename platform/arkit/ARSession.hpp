#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/arkit/ARAnchor.hpp"
#include "platform/arkit/ARWorldTrackingConfiguration.hpp"
#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/foundation/NSError.hpp"
#include "platform/simd/simd.hpp"

namespace rovuzu {

class ARSessionObserver;

// World tracking. The host feeds it the device's pose each frame; while the session runs, the
// camera follows that pose, measured from the pose at which tracking first ran (the session's
// world origin). Pausing freezes the camera; running again resumes from the same origin.
// Anchors stay until someone removes them, paused or not.
class ARSession {
  public:
    void runWithConfiguration(const ARWorldTrackingConfiguration& configuration,
                              ARSessionRunOptions options);
    void pause();
    [[nodiscard]] bool isRunning() const { return running_; }

    void addAnchor(std::shared_ptr<ARAnchor> anchor);
    [[nodiscard]] const std::vector<std::shared_ptr<ARAnchor>>& anchors() const { return anchors_; }

    // The device's pose in the world the host simulates or tracks.
    void setDevicePose(const simd_float4x4& pose);
    [[nodiscard]] const simd_float4x4& devicePose() const { return devicePose_; }
    // The camera's pose in session coordinates, as of the last pose fed while running.
    [[nodiscard]] const simd_float4x4& cameraTransform() const { return cameraTransform_; }
    // The session's world origin in the host's world; identity until tracking first runs.
    [[nodiscard]] const simd_float4x4& worldOrigin() const { return origin_; }

    // The real camera's picture the host shows, as its intrinsics; none while the host shows
    // its built-in world.
    void setCameraIntrinsics(const std::optional<CameraIntrinsics>& intrinsics) {
        intrinsics_ = intrinsics;
    }
    [[nodiscard]] const std::optional<CameraIntrinsics>& cameraIntrinsics() const {
        return intrinsics_;
    }

    // Reported by the host: the camera failed, or stopped and came back.
    void setObserver(std::weak_ptr<ARSessionObserver> observer) { observer_ = std::move(observer); }
    void failWithError(const NSError& error);
    void interrupt();
    void endInterruption();

  private:
    void track();

    bool running_ = false;
    bool everRun_ = false;
    bool interrupted_ = false;
    simd_float4x4 devicePose_{1.0F};
    simd_float4x4 origin_{1.0F};
    simd_float4x4 cameraTransform_{1.0F};
    std::optional<CameraIntrinsics> intrinsics_;
    std::vector<std::shared_ptr<ARAnchor>> anchors_;
    std::weak_ptr<ARSessionObserver> observer_;
};

}  // namespace rovuzu
