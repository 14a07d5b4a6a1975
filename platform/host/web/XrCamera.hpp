#pragma once

#include <optional>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/host/core/CameraFeed.hpp"

namespace rovuzu {

// The camera of a WebXR immersive-ar session: the browser shows its picture under the page
// and tracks the device in the world itself, so there is no picture to hand over and nothing to
// track here; what the game needs is the view's own projection, to draw over that picture
// exactly where the browser shows the world.
class XrCamera final : public CameraFeed {
  public:
    // The projection of the view being drawn, as intrinsics of its viewport.
    void setView(const CameraIntrinsics& intrinsics) { intrinsics_ = intrinsics; }

    std::optional<DevicePose> update(const DevicePose& /*pose*/, double /*now*/) override {
        return std::nullopt;
    }
    [[nodiscard]] const CameraFrame* picture() const override { return nullptr; }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return 0; }
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override {
        return intrinsics_;
    }
    [[nodiscard]] bool passthrough() const override { return true; }

  private:
    std::optional<CameraIntrinsics> intrinsics_;
};

}  // namespace rovuzu
