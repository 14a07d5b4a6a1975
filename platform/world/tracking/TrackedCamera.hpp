#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/world/tracking/CameraFrame.hpp"
#include "platform/world/tracking/YawPitchRoll.hpp"

namespace rovuzu {

// A camera whose rotation is tracked from its own pictures. It lives in the camera module,
// which the game loads only when a camera is asked for: OpenCV and the two hundred libraries
// it brings would otherwise slow every start. Nothing here needs OpenCV.
class TrackedCamera {
  public:
    // What to open: a device, or a video file, stepped by the game's clock when `stepped`
    // (headless runs, which must repeat exactly) or played on a thread at its own pace; and how
    // it films: a field of view across its pictures' longer side, or a calibration file (what
    // OpenCV's FileStorage writes) that takes its place.
    struct Request {
        std::string device;
        std::string file;
        bool stepped = false;
        double fieldOfViewDegrees = CameraIntrinsics::kDefaultFieldOfViewDegrees;
        std::string calibrationFile;
    };
    // A camera, or why there is none: one line naming the device or file. A camera may come
    // with a line to say as well, such as a calibration file it could not use.
    struct Opened {
        std::unique_ptr<TrackedCamera> camera;
        std::string problem;
        std::string warning;
    };
    // The module's one entry point, looked up by kOpenSymbol.
    using OpenFunction = void (*)(const Request& request, Opened& opened);
    static constexpr const char* kOpenSymbol = "rovuzu_open_tracked_camera";
    static constexpr const char* kModuleName = "librovuzu_camera.so";

    TrackedCamera() = default;
    TrackedCamera(const TrackedCamera&) = delete;
    TrackedCamera& operator=(const TrackedCamera&) = delete;
    virtual ~TrackedCamera() = default;

    // Takes the pictures due by `now` (game seconds) and gives the newest tracked angles, when
    // a new picture was tracked.
    virtual std::optional<YawPitchRoll> update(double now) = 0;
    // The newest picture, counted from 1; number 0 means none yet, or none any more since the
    // camera failed (said on stderr).
    [[nodiscard]] virtual const CameraFrame* picture() const = 0;
    [[nodiscard]] virtual std::uint64_t pictureNumber() const = 0;
    // Too little texture or too fast a turn: the pose holds still until tracking returns.
    [[nodiscard]] virtual bool trackingLost() const = 0;
    // The intrinsics of the newest picture, which the tracker goes by too; none without one.
    [[nodiscard]] virtual std::optional<CameraIntrinsics> intrinsics() const = 0;
};

}  // namespace rovuzu
