#pragma once

#include <array>
#include <glm/mat3x3.hpp>
#include <opencv2/core/mat.hpp>
#include <vector>

#include "platform/arkit/CameraIntrinsics.hpp"

namespace rovuzu {

// Films an equirectangular panorama with an exact pinhole camera, so that the camera's true
// rotation is known for every picture.
class PanoramaView {
  public:
    // The panorama's column for a yaw angle (radians), where the camera looks at yaw 0 pitch 0.
    [[nodiscard]] static double columnForYaw(double yaw, int panoramaWidth);

    PanoramaView(cv::Mat panorama, const CameraIntrinsics& camera);

    // The BGR picture the camera sees with camera-to-world rotation `rotation`.
    void render(const glm::dmat3& rotation, cv::Mat& picture) const;

  private:
    void computeMaps(const glm::dmat3& rotation, int firstRow, int endRow) const;

    cv::Mat panorama_;
    CameraIntrinsics camera_;
    // Each pixel's direction in camera axes, computed once: x, y and z apart.
    std::array<std::vector<float>, 3> bearings_;
    mutable cv::Mat mapX_;
    mutable cv::Mat mapY_;
};

}  // namespace rovuzu
