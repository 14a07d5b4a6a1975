#pragma once

#include <cstddef>
#include <vector>

namespace rovuzu {

// A corner of a drawn triangle: where it lands in view points (top-left origin, y down), and
// which point of its texture it shows (0 to 1 across the texture).
struct WorldVertex {
    float x = 0.0F;
    float y = 0.0F;
    float u = 0.0F;
    float v = 0.0F;
};

// Triangles (three vertices each) that share one texture.
struct WorldBatch {
    std::size_t texture = 0;
    std::vector<WorldVertex> vertices;
};

// The world as one camera sees it: batches to paint in order, each over the ones before.
class WorldFrame {
  public:
    void addTriangle(std::size_t texture, const WorldVertex& a, const WorldVertex& b,
                     const WorldVertex& c);

    [[nodiscard]] const std::vector<WorldBatch>& batches() const { return batches_; }
    [[nodiscard]] std::size_t triangleCount() const;

  private:
    std::vector<WorldBatch> batches_;
};

}  // namespace rovuzu
