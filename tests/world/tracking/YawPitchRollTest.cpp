#include <gtest/gtest.h>

#include <numbers>

#include "platform/world/tracking/YawPitchRoll.hpp"

namespace rovuzu {
namespace {

constexpr double kQuarter = std::numbers::pi / 2.0;

glm::dvec3 forwardOf(const glm::dmat3& rotation) {
    return rotation * glm::dvec3(0.0, 0.0, -1.0);
}

TEST(YawPitchRoll, PositiveYawTurnsLeft) {
    const glm::dvec3 forward = forwardOf(rotationFromYawPitchRoll({kQuarter, 0.0, 0.0}));
    EXPECT_NEAR(forward.x, -1.0, 1e-12);
    EXPECT_NEAR(forward.z, 0.0, 1e-12);
}

TEST(YawPitchRoll, PositivePitchLooksUp) {
    const glm::dvec3 forward = forwardOf(rotationFromYawPitchRoll({0.0, 0.3, 0.0}));
    EXPECT_GT(forward.y, 0.0);
}

TEST(YawPitchRoll, RollTurnsAboutTheViewAfterYawAndPitch) {
    const glm::dmat3 rotation = rotationFromYawPitchRoll({0.4, 0.2, kQuarter});
    const glm::dmat3 noRoll = rotationFromYawPitchRoll({0.4, 0.2, 0.0});
    // Rolled a quarter turn counter-clockwise, the camera's x axis points where its y was.
    const glm::dvec3 right = rotation * glm::dvec3(1.0, 0.0, 0.0);
    const glm::dvec3 up = noRoll * glm::dvec3(0.0, 1.0, 0.0);
    EXPECT_NEAR(glm::dot(right, up), 1.0, 1e-12);
}

TEST(YawPitchRoll, AnglesComeBackFromTheRotation) {
    const YawPitchRoll angles{-2.5, 0.7, -0.3};
    const YawPitchRoll back = yawPitchRollFromRotation(rotationFromYawPitchRoll(angles));
    EXPECT_NEAR(back.yaw, angles.yaw, 1e-12);
    EXPECT_NEAR(back.pitch, angles.pitch, 1e-12);
    EXPECT_NEAR(back.roll, angles.roll, 1e-12);
}

}  // namespace
}  // namespace rovuzu
