#pragma once

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace rovuzu {

// A pinhole camera with square pixels, in the game's camera axes: x right, y up, looking along
// -z. Pixel coordinates run x right and y down, with pixel centres on whole numbers.
class CameraIntrinsics {
  public:
    // The game's own virtual camera sees 60 degrees across the longer side of the picture.
    static constexpr double kDefaultFieldOfViewDegrees = 60.0;

    // Principal point at the centre; `fieldOfViewDegrees` spans the longer side, which is the
    // horizontal one for a landscape webcam.
    static CameraIntrinsics fromFieldOfView(int width, int height,
                                            double fieldOfViewDegrees = kDefaultFieldOfViewDegrees);

    // The same camera seeing a picture shrunk by `factor` in both directions.
    [[nodiscard]] CameraIntrinsics downscaled(double factor) const;

    // The unit direction through a pixel, in camera axes.
    [[nodiscard]] glm::dvec3 bearing(glm::dvec2 pixel) const;
    // Where a direction in camera axes shows; only meaningful in front of the camera (z < 0).
    [[nodiscard]] glm::dvec2 project(const glm::dvec3& direction) const;

    [[nodiscard]] double focalLength() const { return focal_; }
    [[nodiscard]] glm::dvec2 principalPoint() const { return centre_; }
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }

  private:
    CameraIntrinsics(int width, int height, double focal, glm::dvec2 centre);

    int width_;
    int height_;
    double focal_;
    glm::dvec2 centre_;
};

}  // namespace rovuzu
