#include <gtest/gtest.h>

#include <glm/geometric.hpp>
#include <random>

#include "platform/world/tracking/RotationFit.hpp"
#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {
namespace {

struct Pairs {
    std::vector<glm::dvec3> world;
    std::vector<glm::dvec3> camera;
};

// Directions within a 60 degree view; every `wrongEvery`th pair points somewhere else.
Pairs makePairs(const glm::dmat3& rotation, int count, int wrongEvery) {
    std::mt19937 random(5);
    std::uniform_real_distribution<double> spread(-0.5, 0.5);
    Pairs pairs;
    for (int i = 0; i < count; ++i) {
        const glm::dvec3 camera = glm::normalize(glm::dvec3(spread(random), spread(random), -1.0));
        glm::dvec3 world = rotation * camera;
        if (wrongEvery > 0 && i % wrongEvery == 0) {
            world = rotation * glm::normalize(glm::dvec3(spread(random), spread(random), -1.0));
        }
        pairs.camera.push_back(camera);
        pairs.world.push_back(world);
    }
    return pairs;
}

TEST(RotationFit, FindsTheRotationDespiteWrongPairs) {
    const glm::dmat3 truth = rotationFromVector({0.1, -0.6, 0.2});
    const Pairs pairs = makePairs(truth, 100, 3);
    RotationFit fit(0.003);
    const RotationFit::Result result = fit.fit(pairs.world, pairs.camera, glm::dmat3(1.0));
    EXPECT_LT(angleBetween(result.rotation, truth), 1e-9);
    EXPECT_EQ(result.inlierCount, 66);
    EXPECT_EQ(result.inliers[0], 0);
    EXPECT_EQ(result.inliers[1], 1);
}

TEST(RotationFit, FindsNoAgreementAmongRandomPairs) {
    Pairs pairs = makePairs(glm::dmat3(1.0), 60, 1);
    RotationFit fit(0.003);
    const RotationFit::Result result = fit.fit(pairs.world, pairs.camera, glm::dmat3(1.0));
    EXPECT_LT(result.inlierCount, 6);
}

TEST(RotationFit, NeedsTwoPairs) {
    const Pairs pairs = makePairs(glm::dmat3(1.0), 1, 0);
    RotationFit fit(0.003);
    EXPECT_EQ(fit.fit(pairs.world, pairs.camera, glm::dmat3(1.0)).inlierCount, 0);
}

}  // namespace
}  // namespace rovuzu
