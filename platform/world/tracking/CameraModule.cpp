// The camera module's entry point: the game loads this library, and OpenCV with it, only when
// it is asked for a camera.
#include <string>

#include "platform/arkit/CameraLens.hpp"
#include "platform/world/tracking/CalibrationFile.hpp"
#include "platform/world/tracking/CameraSource.hpp"
#include "platform/world/tracking/SteppedVideo.hpp"
#include "platform/world/tracking/ThreadedCamera.hpp"

namespace {

// How the camera films: its calibration when one is given and usable, else the field of view;
// a calibration that cannot be used is said in the warning.
rovuzu::CameraLens lensFor(const rovuzu::TrackedCamera::Request& request, std::string& warning) {
    rovuzu::CameraLens lens{request.fieldOfViewDegrees, std::nullopt};
    if (!request.calibrationFile.empty()) {
        auto calibration = rovuzu::CalibrationFile::read(request.calibrationFile);
        lens.calibration = calibration.intrinsics;
        if (!calibration.intrinsics) {
            warning = calibration.problem + "; going by a " +
                      std::to_string(static_cast<int>(request.fieldOfViewDegrees)) +
                      "-degree field of view instead";
        }
    }
    return lens;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) void rovuzu_open_tracked_camera(
    const rovuzu::TrackedCamera::Request& request, rovuzu::TrackedCamera::Opened& opened) {
    using rovuzu::CameraSource;
    auto source = request.file.empty() ? CameraSource::openDevice(request.device)
                                       : CameraSource::openFile(request.file);
    if (!source.source) {
        opened.problem = std::move(source.problem);
        return;
    }
    const rovuzu::CameraLens lens = lensFor(request, opened.warning);
    if (request.stepped && source.source->isFile()) {
        opened.camera = std::make_unique<rovuzu::SteppedVideo>(std::move(source.source), lens);
    } else {
        opened.camera = std::make_unique<rovuzu::ThreadedCamera>(std::move(source.source), lens);
    }
}
