#pragma once

#include <memory>

#include "platform/world/tracking/CameraSource.hpp"
#include "platform/world/tracking/RotationTracker.hpp"
#include "platform/world/tracking/TrackedCamera.hpp"

namespace rovuzu {

// A video stepped with the game's clock: a frame shows once the clock, counted from the first
// update, reaches its time in the file. Tracking runs on the game's thread, so a headless run
// with a video repeats exactly.
class SteppedVideo final : public TrackedCamera {
  public:
    SteppedVideo(std::unique_ptr<CameraSource> source, const CameraLens& lens);

    std::optional<YawPitchRoll> update(double now) override;
    [[nodiscard]] const CameraFrame* picture() const override;
    [[nodiscard]] std::uint64_t pictureNumber() const override { return failed_ ? 0 : number_; }
    [[nodiscard]] bool trackingLost() const override;
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override;

  private:
    bool takePending(double now);

    std::unique_ptr<CameraSource> source_;
    CameraLens lens_;
    RotationTracker tracker_;
    CameraFrame current_;
    CameraFrame pending_;
    std::uint64_t number_ = 0;
    double firstTime_ = 0.0;
    double startedAt_ = 0.0;
    bool started_ = false;
    bool hasPending_ = false;
    bool ended_ = false;
    bool failed_ = false;
};

}  // namespace rovuzu
