#include "platform/host/desktop/CameraInput.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/desktop/ProgramFolder.hpp"

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
    request.fieldOfViewDegrees = options.cameraFieldOfView;
    request.calibrationFile =
        options.cameraCalibration ? options.cameraCalibration->string() : std::string{};
    TrackedCamera::Opened opened;
    openCamera(request, opened);
    if (!opened.camera) {
        diagnose(opened.problem + "; using the built-in world");
        return nullptr;
    }
    if (!opened.warning.empty()) {
        diagnose(opened.warning);
    }
    return std::unique_ptr<CameraInput>(new CameraInput(std::move(opened.camera)));
}

// The device turns to the tracked angles, when they changed.
std::optional<DevicePose> CameraInput::update(const DevicePose& pose, double now) {
    const auto angles = camera_->update(now);
    if (!angles) {
        return std::nullopt;
    }
    DevicePose turned = pose;
    turned.rotation = DevicePose::rotationFromAngles(
        angles->yaw * kDegrees, angles->pitch * kDegrees, angles->roll * kDegrees);
    return turned != pose ? std::optional{turned} : std::nullopt;
}

std::string CameraInput::notice() const {
    return camera_->trackingLost() ? "Seguimiento perdido" : "";
}

}  // namespace rovuzu
