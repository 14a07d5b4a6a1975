#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/arkit/CameraIntrinsics.hpp"
#include "platform/arkit/CameraLens.hpp"

namespace rovuzu {
namespace {

TEST(CameraIntrinsics, SeesSixtyDegreesAcrossTheLongerSideByDefault) {
    const CameraIntrinsics landscape = CameraIntrinsics::fromFieldOfView(640, 480);
    EXPECT_NEAR(landscape.focalLength(), 320.0 / std::tan(std::numbers::pi / 6.0), 1e-9);
    EXPECT_DOUBLE_EQ(landscape.principalPoint().x, 319.5);
    EXPECT_DOUBLE_EQ(landscape.principalPoint().y, 239.5);
    const CameraIntrinsics portrait = CameraIntrinsics::fromFieldOfView(480, 640);
    EXPECT_DOUBLE_EQ(portrait.focalLength(), landscape.focalLength());
}

// A WebXR view's projection, off-centre as a phone's camera often is: wherever the matrix puts
// a point in its clip square, the intrinsics put it on the same pixel.
TEST(CameraIntrinsics, SeesWhatAPerspectiveProjectionMatrixSees) {
    const double near = 0.1;
    const double far = 1000.0;
    const double left = -0.06;
    const double right = 0.05;
    const double bottom = -0.09;
    const double top = 0.1;
    glm::dmat4 projection{0.0};
    projection[0][0] = 2.0 * near / (right - left);
    projection[1][1] = 2.0 * near / (top - bottom);
    projection[2][0] = (right + left) / (right - left);
    projection[2][1] = (top + bottom) / (top - bottom);
    projection[2][2] = -(far + near) / (far - near);
    projection[2][3] = -1.0;
    projection[3][2] = -2.0 * far * near / (far - near);
    const int width = 1080;
    const int height = 1920;
    const CameraIntrinsics camera = CameraIntrinsics::fromProjection(width, height, projection);
    for (const glm::dvec3 point :
         {glm::dvec3(0.0, 0.0, -1.5), glm::dvec3(0.4, -0.7, -2.0), glm::dvec3(-1.0, 1.2, -1.0)}) {
        const glm::dvec4 clip = projection * glm::dvec4(point, 1.0);
        // The clip square from edge to edge of the picture; pixel centres half a pixel in.
        const double x = (clip.x / clip.w + 1.0) / 2.0 * width - 0.5;
        const double y = (1.0 - clip.y / clip.w) / 2.0 * height - 0.5;
        const glm::dvec2 pixel = camera.project(point);
        EXPECT_NEAR(pixel.x, x, 1e-9);
        EXPECT_NEAR(pixel.y, y, 1e-9);
    }
}

TEST(CameraIntrinsics, TakesAnotherFieldOfView) {
    const CameraIntrinsics wide = CameraIntrinsics::fromFieldOfView(640, 480, 90.0);
    EXPECT_NEAR(wide.focalLength(), 320.0, 1e-9);
}

TEST(CameraIntrinsics, LooksAlongMinusZWithYUp) {
    const CameraIntrinsics camera = CameraIntrinsics::fromFieldOfView(640, 480);
    const glm::dvec3 centre = camera.bearing({319.5, 239.5});
    EXPECT_NEAR(centre.z, -1.0, 1e-12);
    EXPECT_GT(camera.bearing({600.0, 239.5}).x, 0.0);  // right in the picture is +x
    EXPECT_GT(camera.bearing({319.5, 10.0}).y, 0.0);   // up in the picture is +y
}

TEST(CameraIntrinsics, ProjectsBearingsBackToTheirPixels) {
    const CameraIntrinsics camera = CameraIntrinsics::fromFieldOfView(640, 480, 70.0);
    for (const glm::dvec2 pixel :
         {glm::dvec2(0.0, 0.0), glm::dvec2(639.0, 479.0), glm::dvec2(123.25, 400.5)}) {
        const glm::dvec2 back = camera.project(camera.bearing(pixel));
        EXPECT_NEAR(back.x, pixel.x, 1e-9);
        EXPECT_NEAR(back.y, pixel.y, 1e-9);
    }
}

TEST(CameraIntrinsics, ShrinksWithThePicture) {
    const CameraIntrinsics half = CameraIntrinsics::fromFieldOfView(640, 480).downscaled(2.0);
    EXPECT_EQ(half.width(), 320);
    EXPECT_EQ(half.height(), 240);
    EXPECT_NEAR(half.focalLength(), 160.0 / std::tan(std::numbers::pi / 6.0), 1e-9);
    EXPECT_DOUBLE_EQ(half.principalPoint().x, 159.5);
    EXPECT_DOUBLE_EQ(half.principalPoint().y, 119.5);
}

TEST(CameraIntrinsics, ACalibrationMadeAtAnotherSizeScalesToThePicture) {
    const CameraIntrinsics made =
        CameraIntrinsics::fromCalibration(1280, 960, 1220, 1180, 663.5, 457.5);
    const CameraIntrinsics shown = made.resized(640, 480);
    EXPECT_EQ(shown.focalLengths(), glm::dvec2(610, 590));
    EXPECT_EQ(shown.principalPoint(), glm::dvec2(331.5, 228.5));
    // The same ray goes through the same place of the picture at either size.
    const glm::dvec3 ray(0.2, -0.1, -1.0);
    EXPECT_NEAR((made.project(ray).x + 0.5) / 2.0, shown.project(ray).x + 0.5, 1e-9);
}

TEST(CameraLens, ACalibrationTakesThePlaceOfTheFieldOfView) {
    const CameraLens plain{75.0, std::nullopt};
    EXPECT_EQ(plain.intrinsicsFor(640, 480), CameraIntrinsics::fromFieldOfView(640, 480, 75.0));
    const CameraLens sized{60.0,
                           CameraIntrinsics::fromCalibration(1280, 960, 1220, 1180, 663.5, 457.5)};
    EXPECT_EQ(sized.intrinsicsFor(640, 480).focalLengths(), glm::dvec2(610, 590));
    const CameraLens unsized{60.0, CameraIntrinsics::fromCalibration(0, 0, 500, 510, 300, 200)};
    const CameraIntrinsics asMade = unsized.intrinsicsFor(640, 480);
    EXPECT_EQ(asMade.focalLengths(), glm::dvec2(500, 510));
    EXPECT_EQ(asMade.width(), 640);
}

}  // namespace
}  // namespace rovuzu
