#include "platform/world/tracking/RotationFit.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <opencv2/core.hpp>

namespace rovuzu {
namespace {

constexpr int kMinIterations = 8;
constexpr int kMaxIterations = 64;
constexpr double kConfidence = 0.999;
constexpr int kRefinements = 2;

// The rotation taking the frame built from (a, b) in camera axes onto the one in world axes.
glm::dmat3 fromTwoPairs(const glm::dvec3& worldA, const glm::dvec3& worldB,
                        const glm::dvec3& cameraA, const glm::dvec3& cameraB) {
    const glm::dvec3 worldNormal = glm::normalize(glm::cross(worldA, worldB));
    const glm::dvec3 cameraNormal = glm::normalize(glm::cross(cameraA, cameraB));
    const glm::dmat3 world(worldA, worldNormal, glm::cross(worldA, worldNormal));
    const glm::dmat3 camera(cameraA, cameraNormal, glm::cross(cameraA, cameraNormal));
    return world * glm::transpose(camera);
}

// Least squares (Kabsch): maximises the sum of world . (R camera) over the chosen pairs.
glm::dmat3 leastSquares(std::span<const glm::dvec3> world, std::span<const glm::dvec3> camera,
                        const std::vector<std::uint8_t>& chosen) {
    cv::Matx33d correlation = cv::Matx33d::zeros();
    for (std::size_t i = 0; i < world.size(); ++i) {
        if (chosen[i] == 0) {
            continue;
        }
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                correlation(r, c) += world[i][r] * camera[i][c];
            }
        }
    }
    cv::Matx33d u;
    cv::Matx33d vt;
    cv::Matx31d w;
    cv::SVD::compute(correlation, w, u, vt);
    // A reflection would fit mirrored points; flip the weakest axis to stay a rotation.
    const double handedness = cv::determinant(u * vt) < 0.0 ? -1.0 : 1.0;
    const cv::Matx33d rotation = u * cv::Matx33d::diag({1.0, 1.0, handedness}) * vt;
    glm::dmat3 result;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            result[c][r] = rotation(r, c);
        }
    }
    return result;
}

int iterationsFor(int inliers, int total) {
    const double fraction = static_cast<double>(inliers) / total;
    const double pairChance = fraction * fraction;
    if (pairChance >= 1.0) {
        return kMinIterations;
    }
    if (pairChance <= 0.0) {
        return kMaxIterations;
    }
    const double needed = std::log(1.0 - kConfidence) / std::log(1.0 - pairChance);
    return std::clamp(static_cast<int>(std::ceil(needed)), kMinIterations, kMaxIterations);
}

}  // namespace

RotationFit::RotationFit(double inlierAngle) : minCosine_(std::cos(inlierAngle)) {}

RotationFit::Result RotationFit::fit(std::span<const glm::dvec3> world,
                                     std::span<const glm::dvec3> camera, const glm::dmat3& guess) {
    Result result;
    result.inliers.assign(world.size(), 0);
    if (world.size() < 2) {
        return result;
    }
    result.rotation = bestHypothesis(world, camera, guess);
    for (int round = 0; round < kRefinements; ++round) {
        result.inlierCount = markInliers(world, camera, result.rotation, result.inliers);
        if (result.inlierCount < 2) {
            return result;
        }
        result.rotation = leastSquares(world, camera, result.inliers);
    }
    result.inlierCount = markInliers(world, camera, result.rotation, result.inliers);
    return result;
}

// Truncated squared error (MSAC): ranks hypotheses by how well inliers fit, not only how many.
double RotationFit::score(std::span<const glm::dvec3> world, std::span<const glm::dvec3> camera,
                          const glm::dmat3& rotation) const {
    const double limit = 1.0 - minCosine_;
    double cost = 0.0;
    for (std::size_t i = 0; i < world.size(); ++i) {
        cost += std::min(1.0 - glm::dot(world[i], rotation * camera[i]), limit);
    }
    return cost;
}

glm::dmat3 RotationFit::bestHypothesis(std::span<const glm::dvec3> world,
                                       std::span<const glm::dvec3> camera,
                                       const glm::dmat3& guess) {
    // Two pairs closer than this give a poorly defined frame.
    constexpr double kMinSine = 0.02;
    const auto total = static_cast<int>(world.size());
    std::uniform_int_distribution<int> pick(0, total - 1);
    glm::dmat3 best = guess;
    double bestCost = score(world, camera, guess);
    std::vector<std::uint8_t> scratch(world.size());
    int iterations = iterationsFor(markInliers(world, camera, guess, scratch), total);
    for (int i = 0; i < iterations; ++i) {
        const int a = pick(random_);
        const int b = pick(random_);
        if (glm::length(glm::cross(camera[a], camera[b])) < kMinSine) {
            continue;
        }
        const glm::dmat3 hypothesis = fromTwoPairs(world[a], world[b], camera[a], camera[b]);
        const double cost = score(world, camera, hypothesis);
        if (cost < bestCost) {
            bestCost = cost;
            best = hypothesis;
            iterations = std::min(iterations,
                                  iterationsFor(markInliers(world, camera, best, scratch), total));
        }
    }
    return best;
}

int RotationFit::markInliers(std::span<const glm::dvec3> world, std::span<const glm::dvec3> camera,
                             const glm::dmat3& rotation, std::vector<std::uint8_t>& inliers) const {
    int count = 0;
    for (std::size_t i = 0; i < world.size(); ++i) {
        const bool agrees = glm::dot(world[i], rotation * camera[i]) > minCosine_;
        inliers[i] = agrees ? 1 : 0;
        count += agrees ? 1 : 0;
    }
    return count;
}

}  // namespace rovuzu
