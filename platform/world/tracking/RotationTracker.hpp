#pragma once

#include <glm/gtc/quaternion.hpp>
#include <glm/vec3.hpp>
#include <memory>

#include "platform/arkit/CameraLens.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

enum class TrackingState {
    Tracking,
    // Too little texture, or motion too fast to follow: the orientation holds still (or follows
    // the gyro) until the picture can be tracked again.
    Lost,
};

// Follows the camera's rotation from its pictures alone (3 degrees of freedom, no translation).
// The orientation is the camera-to-world rotation in the game's axes (x right, y up, looking
// along -z), measured from the first frame, which defines the world.
//
// Corners are tracked frame to frame with pyramidal Lucas-Kanade optical flow on a picture
// about 320 pixels wide. Each corner keeps the world direction it had when it was found, and
// each frame's rotation is fitted robustly to those anchors, so error does not pile up from
// frame to frame while the same corners stay in view; new corners are found only when the
// tracked ones thin out. Not thread-safe: use from one thread.
class RotationTracker {
  public:
    // The pictures' intrinsics come from `lens` (by default 60 degrees across the longer side).
    explicit RotationTracker(const CameraLens& lens = {});
    ~RotationTracker();
    RotationTracker(RotationTracker&& other) noexcept;
    RotationTracker& operator=(RotationTracker&& other) noexcept;
    RotationTracker(const RotationTracker&) = delete;
    RotationTracker& operator=(const RotationTracker&) = delete;

    // Angular velocity in rad/s in camera axes, at a time on the frames' clock. Optional: it
    // predicts the rotation between frames and carries the orientation while vision is lost.
    void addGyroSample(const glm::dvec3& angularVelocity, double time);

    // Takes the next picture. A frame without a picture (zero size, wrong buffer size) counts
    // as one with nothing to track.
    TrackingState track(const CameraFrame& frame);

    [[nodiscard]] glm::quat orientation() const;
    [[nodiscard]] TrackingState state() const;
    // Corners followed into the last frame, and those that agreed with its rotation.
    [[nodiscard]] int featureCount() const;
    [[nodiscard]] int inlierCount() const;

  private:
    class Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace rovuzu
