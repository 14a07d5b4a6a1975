#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/world/tracking/CameraIntrinsics.hpp"

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

}  // namespace
}  // namespace rovuzu
