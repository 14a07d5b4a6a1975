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

void expectAngles(const DevicePose& pose, double yaw, double pitch, double roll) {
    const glm::dvec3 angles = pose.angles();
    EXPECT_NEAR(angles.x, yaw, 1e-9);
    EXPECT_NEAR(angles.y, pitch, 1e-9);
    EXPECT_NEAR(angles.z, roll, 1e-9);
}

TEST(DevicePoseTest, PositiveYawTurnsLeftAndPositivePitchLooksUp) {
    expectNear(forwardOf({}), {0, 0, -1});
    expectNear(forwardOf(DevicePose::looking(90, 0)), {-1, 0, 0});
    expectNear(forwardOf(DevicePose::looking(0, 90)), {0, 1, 0});
    const DevicePose moved{{1.0, 0.0, 0.0, 0.0}, {1, 2, 3}};
    EXPECT_EQ(simd_float3{moved.transform()[3]}, (simd_float3{1, 2, 3}));
    // Roll turns the picture about the line of sight: the device's up leans right.
    const simd_float3 up{DevicePose::looking(0, 0, -90).transform() * simd_float4{0, 1, 0, 0}};
    expectNear(up, {1, 0, 0});
}

TEST(DevicePoseTest, AnglesReadBackAsTheyWereGivenAndStraightUpGivesItAllToYaw) {
    expectAngles(DevicePose::looking(30, -10, 5), 30, -10, 5);
    expectAngles(DevicePose::looking(-170, 89.9, -45), -170, 89.9, -45);
    // Straight up or down, yaw and roll turn about the same axis: looking up the roll turns
    // against the yaw, looking down with it.
    expectAngles(DevicePose::looking(30, 90, 10), 20, 90, 0);
    expectAngles(DevicePose::looking(30, -90, 10), 40, -90, 0);
}

TEST(DevicePoseTest, FacingAPointLooksStraightAtIt) {
    const DevicePose from = DevicePose::looking(10, 20, 30, {0.5, -0.25, 1});
    for (const simd_float3 point :
         {simd_float3{0, 0, -1.5F}, simd_float3{1, 1, 1}, simd_float3{-1, -1, 2}}) {
        const DevicePose facing = from.facing(point);
        const simd_float3 toward = glm::normalize(point - simd_float3{0.5F, -0.25F, 1});
        expectNear(forwardOf(facing), toward);
        EXPECT_EQ(facing.position, from.position);
        EXPECT_NEAR(facing.angles().z, 0.0, 1e-9) << "upright";
    }
}

TEST(PoseControllerTest, KeysTurnAndWalkRelativeToWhereTheDeviceLooks) {
    PoseController controller;
    controller.setKey(PoseController::Key::left, true);
    DevicePose pose = controller.advance({}, 1.0).value();
    expectAngles(pose, 90, 0, 0);
    controller.setKey(PoseController::Key::left, false);
    controller.setKey(PoseController::Key::forward, true);
    pose = controller.advance(pose, 2.0).value();
    EXPECT_NEAR(pose.position.x, -2.0, 1e-12);
    EXPECT_NEAR(pose.position.z, 0.0, 1e-12);
    controller.releaseAll();
    EXPECT_EQ(controller.advance(pose, 5.0), std::nullopt) << "nothing moves it: others may";
}

TEST(PoseControllerTest, DragsTurnAndPitchStopsShortOfStraightUpKeepingRoll) {
    PoseController controller;
    controller.drag(40, -1000);
    expectAngles(controller.advance({}, 0.0).value(), -10.0, PoseController::kPitchLimit, 0);
    controller.drag(0, -10);
    expectAngles(controller.advance(DevicePose::looking(0, 0, 20), 0.0).value(), 0, 2.5, 20);
}

TEST(PoseControllerTest, TheGyroTurnsTheDeviceInItsOwnFrameByItsReportsOwnTimes) {
    PoseController controller;
    const double quarter = std::numbers::pi / 2.0;
    controller.gyro(0, quarter, 0, 10.0);  // the first report only starts the clock
    EXPECT_EQ(controller.advance({}, 0.0), std::nullopt);
    // About the device's own up, at a quarter turn a second, for half a second in uneven
    // reports: whatever their rate, their own times say how far it turned.
    controller.gyro(0, quarter, 0, 10.1);
    controller.gyro(0, quarter, 0, 10.3);
    controller.gyro(0, quarter, 0, 10.5);
    DevicePose pose = controller.advance({}, 0.0).value();
    expectAngles(pose, 45, 0, 0);
    // Now looking ahead-left; pitching up about the device's own x for a second still looks
    // up, right past where the mouse stops.
    for (const double at : {10.75, 11.0, 11.25, 11.5}) {
        controller.gyro(quarter, 0, 0, at);
    }
    pose = controller.advance(pose, 0.0).value();
    expectNear(forwardOf(pose), {0, 1, 0});
    // A long gap is a pause (the controller asleep), not a turn.
    controller.gyro(quarter, 0, 0, 20.0);
    EXPECT_EQ(controller.advance(pose, 0.0), std::nullopt);
}

}  // namespace
}  // namespace rovuzu
