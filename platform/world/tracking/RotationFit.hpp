#pragma once

#include <cstdint>
#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>
#include <random>
#include <span>
#include <vector>

namespace rovuzu {

// Finds the rotation R with worldDirection = R * cameraBearing for pairs of unit vectors, some of
// which are wrong: RANSAC over two-pair hypotheses, then least squares on the inliers.
class RotationFit {
  public:
    struct Result {
        glm::dmat3 rotation{1.0};
        std::vector<std::uint8_t> inliers;  // 1 per pair that agrees with the rotation
        int inlierCount = 0;
    };

    // Pairs agree when they differ by less than `inlierAngle` radians under the rotation.
    explicit RotationFit(double inlierAngle);

    // `guess` competes with the random hypotheses, so a good prediction is never lost.
    Result fit(std::span<const glm::dvec3> world, std::span<const glm::dvec3> camera,
               const glm::dmat3& guess);

  private:
    [[nodiscard]] double score(std::span<const glm::dvec3> world,
                               std::span<const glm::dvec3> camera,
                               const glm::dmat3& rotation) const;
    [[nodiscard]] glm::dmat3 bestHypothesis(std::span<const glm::dvec3> world,
                                            std::span<const glm::dvec3> camera,
                                            const glm::dmat3& guess);
    int markInliers(std::span<const glm::dvec3> world, std::span<const glm::dvec3> camera,
                    const glm::dmat3& rotation, std::vector<std::uint8_t>& inliers) const;

    double minCosine_;
    std::mt19937 random_{20240611U};
};

}  // namespace rovuzu
