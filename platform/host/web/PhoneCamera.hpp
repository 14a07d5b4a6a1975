#pragma once

#include <optional>

#include "platform/arkit/CameraLens.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/web/DeviceOrientation.hpp"

namespace rovuzu {

// A phone's rear camera and motion sensors behind the game, as the page gives them: the
// camera's video (drawn by the page's renderer straight from the browser) and the sensors'
// readings, which turn the device. Either may be missing: without video the built-in world
// shows, without readings the player's controls turn the device.
class PhoneCamera final : public CameraFeed {
  public:
    // `lens` describes the rear camera; phones do not tell a page their field of view.
    explicit PhoneCamera(const CameraLens& lens) : lens_(lens) {}

    // A new reading from the sensors; the next turn turns the device to it.
    void sense(const DeviceOrientation::Reading& reading) { reading_ = reading; }

    std::optional<DevicePose> update(const DevicePose& pose, double now) override;
    // The browser keeps the video's pictures: there are none here to hand over.
    [[nodiscard]] const CameraFrame* picture() const override { return nullptr; }
    [[nodiscard]] std::uint64_t pictureNumber() const override;
    [[nodiscard]] std::string notice() const override { return {}; }
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override;

  private:
    CameraLens lens_;
    DeviceOrientation orientation_;
    std::optional<DeviceOrientation::Reading> reading_;
};

}  // namespace rovuzu
