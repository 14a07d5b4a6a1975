#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/arkit/ARCamera.hpp"

namespace rovuzu {
namespace {

const simd_float4x4 kAhead{1.0F};

TEST(ARCamera, TheBuiltInWorldsCameraSeesSixtyDegreesAcrossTheViewsLongerSide) {
    const ARCamera camera(kAhead, {375, 667});
    EXPECT_NEAR(camera.focalLength(), 333.5 / std::tan(std::numbers::pi / 6.0), 1e-9);
    EXPECT_FALSE(camera.visiblePart());
    const auto top =
        camera.projectPoint({0.0F, std::tan(static_cast<float>(std::numbers::pi / 6.0)), -1.0F});
    ASSERT_TRUE(top);
    EXPECT_NEAR(top->viewPoint.x, 187.5, 1e-4);
    EXPECT_NEAR(top->viewPoint.y, 0.0, 1e-4);
}

// A point of the world shows where the picture shows it: through the picture's intrinsics, then
// the crop and scale that put the picture on the view.
TEST(ARCamera, ARealCamerasPictureCoversTheViewAndItsPointsLandWhereThePictureShowsThem) {
    const CameraIntrinsics pictures[] = {
        CameraIntrinsics::fromFieldOfView(640, 480, 60.0),
        CameraIntrinsics::fromFieldOfView(640, 360, 45.0),
        CameraIntrinsics::fromCalibration(640, 480, 610.0, 590.0, 331.5, 228.5)};
    for (const CGSize view : {CGSize{375, 667}, CGSize{667, 375}}) {
        for (const CameraIntrinsics& picture : pictures) {
            const ARCamera camera(kAhead, view, picture);
            ASSERT_TRUE(camera.visiblePart());
            const CGRect part = *camera.visiblePart();
            EXPECT_NEAR(part.size.width / part.size.height, view.width / view.height, 1e-9);
            EXPECT_TRUE(part.size.width == picture.width() || part.size.height == picture.height())
                << "it fills one way, cut the other";
            EXPECT_NEAR(part.origin.x * 2 + part.size.width, picture.width(), 1e-9);
            EXPECT_NEAR(part.origin.y * 2 + part.size.height, picture.height(), 1e-9);
            const double scale = view.width / part.size.width;
            for (const glm::dvec3 direction :
                 {glm::dvec3(0.1, -0.2, -1.0), glm::dvec3(-0.3, 0.25, -1.0)}) {
                const glm::dvec2 pixel = picture.project(direction);
                const auto shown = camera.projectPoint(simd_float3(direction * 2.0));
                ASSERT_TRUE(shown);
                EXPECT_NEAR(shown->viewPoint.x, (pixel.x + 0.5 - part.origin.x) * scale, 1e-4);
                EXPECT_NEAR(shown->viewPoint.y, (pixel.y + 0.5 - part.origin.y) * scale, 1e-4);
            }
        }
    }
}

}  // namespace
}  // namespace rovuzu
