// The camera module's entry point: the game loads this library, and OpenCV with it, only when
// it is asked for a camera.
#include "platform/world/tracking/CameraSource.hpp"
#include "platform/world/tracking/SteppedVideo.hpp"
#include "platform/world/tracking/ThreadedCamera.hpp"

extern "C" __attribute__((visibility("default"))) void rovuzu_open_tracked_camera(
    const rovuzu::TrackedCamera::Request& request, rovuzu::TrackedCamera::Opened& opened) {
    using rovuzu::CameraSource;
    auto source = request.file.empty() ? CameraSource::openDevice(request.device)
                                       : CameraSource::openFile(request.file);
    if (!source.source) {
        opened.problem = std::move(source.problem);
        return;
    }
    if (request.stepped && source.source->isFile()) {
        opened.camera = std::make_unique<rovuzu::SteppedVideo>(std::move(source.source));
    } else {
        opened.camera = std::make_unique<rovuzu::ThreadedCamera>(std::move(source.source));
    }
}
