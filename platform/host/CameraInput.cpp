#include "platform/host/CameraInput.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/FrameLoop.hpp"
#include "platform/host/ProgramFolder.hpp"
#include "platform/host/Renderer.hpp"

namespace rovuzu {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// The module's entry point, from beside the binary (a build tree) or from the library folder
// of an installed one; null, after one line on stderr, when neither has it. The module stays
// loaded until the program ends: its code runs the camera's thread.
TrackedCamera::OpenFunction loadModule() {
    const std::filesystem::path folder = ProgramFolder::executable();
    const std::vector<std::filesystem::path> candidates{
        folder / TrackedCamera::kModuleName,
        folder / ".." / ROVUZU_CAMERA_MODULE_DIR / TrackedCamera::kModuleName};
    std::string why = "not found";
    for (const auto& candidate : candidates) {
        std::error_code error;
        if (!std::filesystem::is_regular_file(candidate, error)) {
            continue;
        }
        void* module = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
        void* entry = module != nullptr ? dlsym(module, TrackedCamera::kOpenSymbol) : nullptr;
        if (entry != nullptr) {
            return reinterpret_cast<TrackedCamera::OpenFunction>(entry);
        }
        why = dlerror();
    }
    diagnose("this build has no camera support (" + std::string(TrackedCamera::kModuleName) + ": " +
             why + "); using the built-in world");
    return nullptr;
}

}  // namespace

std::unique_ptr<CameraInput> CameraInput::open(const Options& options) {
    if (!options.camera && !options.cameraFile) {
        return nullptr;
    }
    const auto openCamera = loadModule();
    if (openCamera == nullptr) {
        return nullptr;
    }
    TrackedCamera::Request request;
    request.device = options.camera.value_or("");
    request.file = options.cameraFile ? options.cameraFile->string() : "";
    request.stepped = options.headless;
    TrackedCamera::Opened opened;
    openCamera(request, opened);
    if (!opened.camera) {
        diagnose(opened.problem + "; using the built-in world");
        return nullptr;
    }
    return std::unique_ptr<CameraInput>(new CameraInput(std::move(opened.camera)));
}

// The device turns to the tracked angles, as a look event, when they changed.
void CameraInput::update(FrameLoop& loop, double now) {
    const auto angles = camera_->update(now);
    if (!angles) {
        return;
    }
    const DevicePose& pose = loop.pose();
    const double yaw = angles->yaw * kDegrees;
    const double pitch = angles->pitch * kDegrees;
    const double roll = angles->roll * kDegrees;
    if (yaw != pose.yaw || pitch != pose.pitch || roll != pose.roll) {
        loop.apply({now, InputEvent::Verb::look, {yaw, pitch, roll}, {}});
    }
}

void CameraInput::showIn(Renderer& renderer, std::uint64_t& shown) const {
    if (camera_->picture() != nullptr && camera_->pictureNumber() != shown) {
        renderer.setCameraFrame(*camera_->picture());
        shown = camera_->pictureNumber();
    }
    renderer.setNotice(camera_->trackingLost() ? "Seguimiento perdido" : "");
}

}  // namespace rovuzu
