#include "platform/host/web/PhoneCamera.hpp"

#include "platform/host/web/Page.hpp"

namespace rovuzu {

std::uint64_t PhoneCamera::pictureNumber() const {
    return static_cast<std::uint64_t>(rovuzu_camera_pictures());
}

std::optional<CameraIntrinsics> PhoneCamera::intrinsics() const {
    int width = 0;
    int height = 0;
    rovuzu_camera_size(&width, &height);
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    return lens_.intrinsicsFor(width, height);
}

}  // namespace rovuzu
