#pragma once

#include <optional>
#include <vector>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Input.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {

class ARSKView;
class SKView;
class UIApplication;

// The launched application as the host session sees it: its window, the view the window
// shows and the device's pose. The session hands it inputs and runs its frames; the order of
// a turn is the session's, not this class's.
class Stage {
  public:
    explicit Stage(UIApplication& application) : application_(application) {}

    // Moves the device, resizes, hides or shows the view. Touches go to `step` instead; the
    // rest (screenshots, quitting, focus) are the session's own business.
    void apply(const Input& input);
    // One frame at `now`: the session takes the device's pose, the run loop fires every timer
    // that is due, the touches go to the view (each one touches-began event), and the view
    // runs its frame (new anchors get their nodes, every anchor is projected, the scene's
    // update and actions).
    void step(double now, const std::vector<input::Touches>& touches);

    [[nodiscard]] SKView* view() const;
    [[nodiscard]] ARSKView* arView() const;
    [[nodiscard]] CGSize viewSize() const;
    [[nodiscard]] bool isShown() const;
    [[nodiscard]] const DevicePose& pose() const { return pose_; }
    // A real camera's picture behind the AR view, as its intrinsics; none for the built-in
    // world. The session takes it with the pose at the next frame.
    void setCameraIntrinsics(const std::optional<CameraIntrinsics>& intrinsics) {
        intrinsics_ = intrinsics;
    }
    // Whether the presented scene has come to its end (see SKScene::hasEnded).
    [[nodiscard]] bool sceneEnded() const;

  private:
    UIApplication& application_;
    DevicePose pose_;
    std::optional<CameraIntrinsics> intrinsics_;
};

}  // namespace rovuzu
