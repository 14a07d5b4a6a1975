#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace rovuzu {

// A pinhole camera's picture: its size in pixels, and where rays land in it, as a calibration
// gives them, focal lengths and principal point in pixels. Camera axes are the game's: x
// right, y up, looking along -z; pixel coordinates run x right and y down, with pixel centres
// on whole numbers. The camera tracker and the AR view's projection both go by it.
class CameraIntrinsics {
  public:
    // The game's own virtual camera sees 60 degrees across the longer side of the picture.
    static constexpr double kDefaultFieldOfViewDegrees = 60.0;

    // Square pixels, principal point at the centre; `fieldOfViewDegrees` spans the longer side,
    // which is the horizontal one for a landscape webcam.
    static CameraIntrinsics fromFieldOfView(int width, int height,
                                            double fieldOfViewDegrees = kDefaultFieldOfViewDegrees);
    // A calibration's camera matrix for pictures of `width` by `height` pixels.
    static CameraIntrinsics fromCalibration(int width, int height, double fx, double fy, double cx,
                                            double cy);

    // The camera a perspective projection matrix describes (column-major, as GL and WebXR give
    // it; clip x right, y up, looking along -z), for a picture of `width` by `height` pixels
    // that the projection's clip square is stretched over.
    static CameraIntrinsics fromProjection(int width, int height, const glm::dmat4& projection);

    // The same camera seeing its picture at another size, stretched to it each way.
    [[nodiscard]] CameraIntrinsics resized(int width, int height) const;
    // The same camera seeing a picture shrunk by `factor` in both directions.
    [[nodiscard]] CameraIntrinsics downscaled(double factor) const;

    // The unit direction through a pixel, in camera axes.
    [[nodiscard]] glm::dvec3 bearing(glm::dvec2 pixel) const;
    // Where a direction in camera axes shows; only meaningful in front of the camera (z < 0).
    [[nodiscard]] glm::dvec2 project(const glm::dvec3& direction) const;

    // Pixels per unit of tangent, across and down.
    [[nodiscard]] glm::dvec2 focalLengths() const { return focal_; }
    // Their mean, for measures in pixels that need only one.
    [[nodiscard]] double focalLength() const { return (focal_.x + focal_.y) / 2.0; }
    [[nodiscard]] glm::dvec2 principalPoint() const { return centre_; }
    [[nodiscard]] int width() const { return width_; }
    [[nodiscard]] int height() const { return height_; }

    friend bool operator==(const CameraIntrinsics&, const CameraIntrinsics&) = default;

  private:
    CameraIntrinsics(int width, int height, glm::dvec2 focal, glm::dvec2 centre);

    int width_;
    int height_;
    glm::dvec2 focal_;
    glm::dvec2 centre_;
};

}  // namespace rovuzu
