#pragma once

#include <optional>

#include "platform/arkit/CameraLens.hpp"
#include "platform/host/core/CameraFeed.hpp"

namespace rovuzu {

// A phone's rear camera behind the game, as the page gives it: the camera's video, drawn by the
// page's renderer straight from the browser. Without video the built-in world shows. The
// camera tracks nothing itself: the motion sensors turn the device (see DeviceOrientation).
class PhoneCamera final : public CameraFeed {
  public:
    // `lens` describes the rear camera; phones do not tell a page their field of view.
    explicit PhoneCamera(const CameraLens& lens) : lens_(lens) {}

    std::optional<DevicePose> update(const DevicePose& /*pose*/, double /*now*/) override {
        return std::nullopt;
    }
    // The browser keeps the video's pictures: there are none here to hand over.
    [[nodiscard]] const CameraFrame* picture() const override { return nullptr; }
    [[nodiscard]] std::uint64_t pictureNumber() const override;
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override;

  private:
    CameraLens lens_;
};

}  // namespace rovuzu
