#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/world/DevicePose.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

// A real camera behind the game: its newest picture, and the device's turns as tracked from
// it. While a host has none, the built-in world shows instead.
class CameraFeed {
  public:
    CameraFeed() = default;
    CameraFeed(const CameraFeed&) = delete;
    CameraFeed& operator=(const CameraFeed&) = delete;
    virtual ~CameraFeed() = default;

    // Takes the pictures due by `now` (game seconds); the device's new pose, when the camera
    // turned from `pose`.
    virtual std::optional<DevicePose> update(const DevicePose& pose, double now) = 0;
    // The newest picture, counted from 1; number 0 means none yet.
    [[nodiscard]] virtual const CameraFrame* picture() const = 0;
    [[nodiscard]] virtual std::uint64_t pictureNumber() const = 0;
    // A line to show over the view, such as lost tracking; empty for none.
    [[nodiscard]] virtual std::string notice() const = 0;
    // The intrinsics of the picture shown: what the AR view projects with, so that the world's
    // points land where the picture shows them. None while there is no picture.
    [[nodiscard]] virtual std::optional<CameraIntrinsics> intrinsics() const = 0;
    // Whether the platform shows the camera's picture under the view by itself, as a WebXR
    // session does: then nothing is drawn behind the scene.
    [[nodiscard]] virtual bool passthrough() const { return false; }
};

}  // namespace rovuzu
