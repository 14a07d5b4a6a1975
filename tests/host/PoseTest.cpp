#include <gtest/gtest.h>

#include <glm/geometric.hpp>
#include <numbers>

#include "platform/host/core/PoseController.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {
namespace {

simd_float3 forwardOf(const DevicePose& pose) {
    return simd_float3{pose.transform() * simd_float4{0, 0, -1, 0}};
}

void expectNear(const simd_float3& actual, const simd_float3& expected) {
    EXPECT_LT(glm::distance(actual, expected), 1e-5F)
        << actual.x << " " << actual.y << " " << actual.z;
}

TEST(DevicePoseTest, PositiveYawTurnsLeftAndPositivePitchLooksUp) {
    expectNear(forwardOf({}), {0, 0, -1});
    expectNear(forwardOf({90}), {-1, 0, 0});
    expectNear(forwardOf({0, 90}), {0, 1, 0});
    const DevicePose moved{0, 0, 0, 1, 2, 3};
    EXPECT_EQ(simd_float3{moved.transform()[3]}, (simd_float3{1, 2, 3}));
    // Roll turns the picture about the line of sight: the device's up leans right.
    const simd_float3 up{DevicePose{0, 0, -90}.transform() * simd_float4{0, 1, 0, 0}};
    expectNear(up, {1, 0, 0});
}

TEST(DevicePoseTest, FacingAPointLooksStraightAtIt) {
    const DevicePose from{10, 20, 30, 0.5, -0.25, 1};
    for (const simd_float3 point :
         {simd_float3{0, 0, -1.5F}, simd_float3{1, 1, 1}, simd_float3{-1, -1, 2}}) {
        const DevicePose facing = from.facing(point);
        const simd_float3 toward = glm::normalize(point - simd_float3{0.5F, -0.25F, 1});
        expectNear(forwardOf(facing), toward);
        EXPECT_EQ(facing.x, from.x);
    }
}

TEST(PoseControllerTest, KeysTurnAndWalkRelativeToWhereTheDeviceLooks) {
    PoseController controller;
    controller.setKey(PoseController::Key::left, true);
    DevicePose pose = controller.advance({}, 1.0);
    EXPECT_DOUBLE_EQ(pose.yaw, 90.0);
    controller.setKey(PoseController::Key::left, false);
    controller.setKey(PoseController::Key::forward, true);
    pose = controller.advance(pose, 2.0);
    EXPECT_NEAR(pose.x, -2.0, 1e-12);
    EXPECT_NEAR(pose.z, 0.0, 1e-12);
    controller.releaseAll();
    EXPECT_EQ(controller.advance(pose, 5.0), pose);
}

TEST(PoseControllerTest, DragsTurnAndPitchStopsShortOfStraightUp) {
    PoseController controller;
    controller.drag(40, -1000);
    const DevicePose pose = controller.advance({}, 0.0);
    EXPECT_DOUBLE_EQ(pose.yaw, -10.0);
    EXPECT_DOUBLE_EQ(pose.pitch, PoseController::kPitchLimit);
}

TEST(PoseControllerTest, TheGyroTurnsTheDeviceInItsOwnFrame) {
    PoseController controller;
    const double quarter = std::numbers::pi / 2.0;
    controller.gyro(0, quarter, 0, 1.0);  // about the device's own up: a turn left
    DevicePose pose = controller.advance({}, 0.0);
    EXPECT_NEAR(pose.yaw, 90.0, 1e-3);
    // Now looking along -x; pitching up about the device's own x still looks up.
    controller.gyro(quarter / 2.0, 0, 0, 1.0);
    pose = controller.advance(pose, 0.0);
    expectNear(forwardOf(pose), glm::normalize(simd_float3{-1, 1, 0}));
}

}  // namespace
}  // namespace rovuzu
