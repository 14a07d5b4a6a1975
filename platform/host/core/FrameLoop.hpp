#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Autoplay.hpp"
#include "platform/host/core/InputEvent.hpp"
#include "platform/uikit/UITouch.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {

class ARSKView;
class Recorder;
class SKView;
class UIApplication;

// One turn of the main loop, the same for a window and for a headless run:
//   1. input that arrived is applied: the device pose moves, touches wait for step 3;
//   2. the run loop fires every timer that is due, in due order;
//   3. the touches that began go to the view as touch events, one event per tap or taps;
//   4. the view runs its frame: the session takes the device pose, new anchors get their
//      nodes, every anchor is projected, then the scene's update and its actions.
// Drawing, when there is any, follows; the host does it.
class FrameLoop {
  public:
    FrameLoop(UIApplication& application, bool autoplay, Recorder* recorder);

    // Step 1 for one event. Screenshots and quitting are the host's business, not this one's.
    void apply(const InputEvent& event);
    // Steps 2 to 4 at `now`.
    void runFrame(double now);

    // The autoplayer's next move, and its moves due at `now` applied as input.
    [[nodiscard]] std::optional<double> nextAutoplayTime() const;
    void runAutoplay(double now);

    [[nodiscard]] SKView* view() const;
    [[nodiscard]] ARSKView* arView() const;
    [[nodiscard]] CGSize viewSize() const;
    [[nodiscard]] const DevicePose& pose() const { return pose_; }
    // The real camera's picture shown behind the AR view, as its intrinsics; none for the
    // built-in world. The session takes it with the pose at the next frame.
    void setCameraIntrinsics(const std::optional<CameraIntrinsics>& intrinsics) {
        intrinsics_ = intrinsics;
    }
    // Whether the presented scene has come to its end (see SKScene::hasEnded).
    [[nodiscard]] bool sceneEnded() const { return sceneEnded_; }

  private:
    void deliverTouches();

    UIApplication& application_;
    std::optional<Autoplay> autoplay_;
    Recorder* recorder_;
    DevicePose pose_;
    std::optional<CameraIntrinsics> intrinsics_;
    std::vector<std::vector<UITouch>> touchEvents_;
    bool sceneEnded_ = false;
};

}  // namespace rovuzu
