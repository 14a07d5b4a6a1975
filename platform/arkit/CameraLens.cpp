#include "platform/arkit/CameraLens.hpp"

namespace rovuzu {

CameraIntrinsics CameraLens::intrinsicsFor(int width, int height) const {
    if (calibration && calibration->width() > 0 && calibration->height() > 0) {
        return calibration->resized(width, height);
    }
    if (calibration) {  // made for the camera's own pictures, whatever their size
        const glm::dvec2 f = calibration->focalLengths();
        const glm::dvec2 c = calibration->principalPoint();
        return CameraIntrinsics::fromCalibration(width, height, f.x, f.y, c.x, c.y);
    }
    return CameraIntrinsics::fromFieldOfView(width, height, fieldOfViewDegrees);
}

}  // namespace rovuzu
