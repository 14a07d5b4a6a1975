#pragma once

#include <memory>

#include "platform/world/tracking/TrackedCamera.hpp"
#include "platform/world/tracking/VisualPoseSource.hpp"

namespace rovuzu {

class CameraSource;

// A camera read and tracked on its own thread; the game takes the newest result each frame.
class ThreadedCamera final : public TrackedCamera {
  public:
    ThreadedCamera(std::unique_ptr<CameraSource> source, const CameraLens& lens);

    std::optional<YawPitchRoll> update(double now) override;
    [[nodiscard]] const CameraFrame* picture() const override;
    [[nodiscard]] std::uint64_t pictureNumber() const override;
    [[nodiscard]] bool trackingLost() const override;
    [[nodiscard]] std::optional<CameraIntrinsics> intrinsics() const override;

  private:
    CameraLens lens_;
    VisualPoseSource poses_;
    std::shared_ptr<const VisualPoseSource::Sample> current_;
};

}  // namespace rovuzu
