#pragma once

#include <cstdint>
#include <memory>

#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/Options.hpp"
#include "platform/world/tracking/TrackedCamera.hpp"

namespace rovuzu {

// A real camera picture behind the game: a webcam (--camera) or a recorded video
// (--camera-file), with the camera's rotation tracked from the picture. In a window the camera
// is read and tracked on a thread of its own; headless, a video is stepped with the virtual
// clock, so the run repeats exactly. The camera itself comes from the camera module, loaded
// here on first use.
class CameraInput final : public CameraFeed {
  public:
    // What the options ask for, or null: none asked for, or it cannot be opened (one line on
    // stderr; the built-in world stays).
    static std::unique_ptr<CameraInput> open(const Options& options);

    std::optional<DevicePose> update(const DevicePose& pose, double now) override;
    [[nodiscard]] const CameraFrame* picture() const override { return camera_->picture(); }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return camera_->pictureNumber(); }
    [[nodiscard]] std::string notice() const override;
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override {
        return camera_->intrinsics();
    }

  private:
    explicit CameraInput(std::unique_ptr<TrackedCamera> camera) : camera_(std::move(camera)) {}

    std::unique_ptr<TrackedCamera> camera_;
};

}  // namespace rovuzu
