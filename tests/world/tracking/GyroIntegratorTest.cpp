#include <gtest/gtest.h>

#include "platform/world/tracking/GyroIntegrator.hpp"
#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {
namespace {

TEST(GyroIntegrator, IntegratesASteadyTurn) {
    GyroIntegrator gyro;
    const glm::dvec3 rate(0.0, 1.0, 0.5);
    for (int i = 0; i <= 100; ++i) {
        gyro.add(rate, i * 0.01);
    }
    const auto turn = gyro.rotationBetween(0.2, 0.7);
    ASSERT_TRUE(turn.has_value());
    EXPECT_LT(angleBetween(*turn, rotationFromVector(rate * 0.5)), 1e-9);
}

TEST(GyroIntegrator, SaysNothingWithoutSamples) {
    GyroIntegrator gyro;
    EXPECT_FALSE(gyro.rotationBetween(0.0, 0.1).has_value());
    gyro.add({1.0, 0.0, 0.0}, 0.0);
    gyro.add({1.0, 0.0, 0.0}, 0.01);
    // The gyro fell silent long before the frame.
    EXPECT_FALSE(gyro.rotationBetween(0.5, 0.6).has_value());
}

TEST(GyroIntegrator, LearnsItsBiasFromCorrections) {
    GyroIntegrator gyro;
    const glm::dvec3 bias(0.02, 0.0, -0.01);
    for (int frame = 0; frame < 400; ++frame) {
        // Vision says the camera stood still; the gyro's prediction overshot by its bias.
        gyro.correctBias(-(bias - gyro.bias()) * 0.033, 0.033);
    }
    EXPECT_NEAR(gyro.bias().x, bias.x, 1e-4);
    EXPECT_NEAR(gyro.bias().z, bias.z, 1e-4);
}

}  // namespace
}  // namespace rovuzu
