#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <glm/gtc/quaternion.hpp>
#include <memory>
#include <optional>
#include <thread>

#include "platform/arkit/CameraLens.hpp"
#include "platform/world/tracking/CameraFrame.hpp"
#include "platform/world/tracking/RotationTracker.hpp"
#include "platform/world/tracking/YawPitchRoll.hpp"

namespace rovuzu {

class CameraSource;

// Reads a camera and tracks its rotation on a thread of its own, so the game's frame never
// waits for a picture. A video file plays at its own pace. The worker hands each result over
// through a single atomic pointer exchange: neither side ever waits for the other.
class VisualPoseSource {
  public:
    struct Sample {
        // Camera-to-world rotation, measured from the first picture; and the same as the
        // game's device angles (radians), ready for a DevicePose.
        glm::quat orientation{1.0F, 0.0F, 0.0F, 0.0F};
        YawPitchRoll angles;
        TrackingState state = TrackingState::Lost;
        int featureCount = 0;
        // The picture to show behind the game; frame.time is when it was taken.
        CameraFrame frame;
        // Counts pictures from 1, so a host can tell a new picture from one it already drew.
        std::uint64_t frameNumber = 0;
        // No picture will follow: the file ended, or the camera failed (reported on stderr).
        bool ended = false;
        // The camera failed: its last picture is not to be shown.
        bool failed = false;
    };

    // Starts the worker at once on `camera` (not null), whose pictures `lens` describes.
    explicit VisualPoseSource(std::unique_ptr<CameraSource> camera, const CameraLens& lens = {});
    // Stops the worker; a camera in the middle of a read finishes it first.
    ~VisualPoseSource();
    VisualPoseSource(const VisualPoseSource&) = delete;
    VisualPoseSource& operator=(const VisualPoseSource&) = delete;
    VisualPoseSource(VisualPoseSource&&) = delete;
    VisualPoseSource& operator=(VisualPoseSource&&) = delete;

    // The newest result, or null before the first picture. Call it from one thread only (the
    // game's). A sample never changes once published; the caller may keep it as long as it
    // likes.
    [[nodiscard]] std::shared_ptr<const Sample> latest() const;

  private:
    void run(const std::stop_token& stop);
    [[nodiscard]] bool waitForFrameTime(const std::stop_token& stop, double time);
    void publish(const CameraFrame& frame, std::uint64_t number, bool ended, bool failed = false);

    std::unique_ptr<CameraSource> camera_;
    RotationTracker tracker_;
    // The newest sample not yet taken by the game; the worker replaces one the game never saw.
    mutable std::atomic<Sample*> mailbox_{nullptr};
    // The newest sample the game has taken; only the game's thread touches it.
    mutable std::shared_ptr<const Sample> taken_;
    // When a file started playing, and the time of its first frame.
    std::optional<std::chrono::steady_clock::time_point> playStart_;
    double firstFrameTime_ = 0.0;
    // Last, so the worker stops before anything it uses goes away.
    std::jthread worker_;
};

}  // namespace rovuzu
