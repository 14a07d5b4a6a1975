#pragma once

#include <cstdint>
#include <memory>

#include "platform/host/Options.hpp"
#include "platform/world/tracking/TrackedCamera.hpp"

namespace rovuzu {

class FrameLoop;
class Renderer;

// A real camera picture behind the game: a webcam (--camera) or a recorded video
// (--camera-file), with the camera's rotation tracked from the picture and fed to the device
// pose as look events, so a session recorded with a camera replays like any other. In a window
// the camera is read and tracked on a thread of its own; headless, a video is stepped with the
// virtual clock, so the run repeats exactly. The camera itself comes from the camera module,
// loaded here on first use.
class CameraInput {
  public:
    // What the options ask for, or null: none asked for, or it cannot be opened (one line on
    // stderr; the built-in world stays).
    static std::unique_ptr<CameraInput> open(const Options& options);

    // Takes the pictures due by `now` and turns the device to the newest tracked pose.
    void update(FrameLoop& loop, double now);
    // Gives a renderer the newest picture, when `shown` says it has not had it yet, and the
    // notice while tracking is lost.
    void showIn(Renderer& renderer, std::uint64_t& shown) const;

  private:
    explicit CameraInput(std::unique_ptr<TrackedCamera> camera) : camera_(std::move(camera)) {}

    std::unique_ptr<TrackedCamera> camera_;
};

}  // namespace rovuzu
