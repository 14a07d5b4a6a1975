#include "platform/world/WorldFrame.hpp"

namespace rovuzu {

void WorldFrame::addTriangle(std::size_t texture, const WorldVertex& a, const WorldVertex& b,
                             const WorldVertex& c) {
    if (batches_.empty() || batches_.back().texture != texture) {
        batches_.push_back({texture, {}});
    }
    auto& vertices = batches_.back().vertices;
    vertices.push_back(a);
    vertices.push_back(b);
    vertices.push_back(c);
}

std::size_t WorldFrame::triangleCount() const {
    std::size_t count = 0;
    for (const WorldBatch& batch : batches_) {
        count += batch.vertices.size() / 3;
    }
    return count;
}

}  // namespace rovuzu
