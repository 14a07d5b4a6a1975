#include "platform/world/BuiltInWorld.hpp"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <utility>

#include "platform/world/CutLattice.hpp"
#include "platform/world/WorldMesher.hpp"

namespace rovuzu {

namespace {

bool canSee(const ARCamera& camera) {
    const CGSize viewport = camera.viewportSize();
    if (!(viewport.width > 0.0 && viewport.height > 0.0 && std::isfinite(viewport.width) &&
          std::isfinite(viewport.height) && std::isfinite(camera.focalLength()))) {
        return false;
    }
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            if (!std::isfinite(camera.transform()[column][row])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

BuiltInWorld::BuiltInWorld() : model_(RoomBuilder::build()) {}

BuiltInWorld::BuiltInWorld(RoomBuilder::Layout layout)
    : model_(std::move(layout.model)), unpainted_(std::move(layout.textures)) {}

BuiltInWorld BuiltInWorld::unpainted() {
    return BuiltInWorld{RoomBuilder::layout()};
}

std::optional<std::size_t> BuiltInWorld::paintStep() {
    if (unpainted_.empty()) {
        return std::nullopt;
    }
    if (!painting_) {
        painting_.emplace(unpainted_.front().paint);
    }
    if (!painting_->step(kStepPixels)) {
        return std::nullopt;
    }
    const std::size_t finished = unpainted_.front().index;
    model_.textures[finished] = painting_->take();
    painting_.reset();
    unpainted_.erase(unpainted_.begin());
    return finished;
}

bool BuiltInWorld::adoptTextures(std::vector<PixelImage> textures) {
    const bool whole = std::all_of(textures.begin(), textures.end(), [](const PixelImage& image) {
        return image.width() > 0 && image.height() > 0 && image.rows().first == 0 &&
               image.rows().end >= image.height();
    });
    if (!whole || textures.size() != model_.textures.size()) {
        return false;
    }
    for (const RoomBuilder::TexturePaint& texture : unpainted_) {
        model_.textures[texture.index] = std::move(textures[texture.index]);
    }
    unpainted_.clear();
    painting_.reset();
    return true;
}

const BuiltInWorld& BuiltInWorld::shared() {
    static const BuiltInWorld world;
    return world;
}

WorldFrame BuiltInWorld::frame(const ARCamera& camera) const {
    WorldFrame frame;
    if (!canSee(camera)) {
        return frame;
    }
    const simd_float3 eye{camera.transform()[3]};
    const CutLattice lattice(eye, model_.shell);
    WorldMesher mesher(camera, lattice, frame);
    for (const WorldRect& rect : model_.shell) {
        mesher.add(rect);
    }
    for (const WorldRect& rect : model_.decals) {
        mesher.add(rect);
    }
    for (const std::size_t box : boxPaintOrder(eye)) {
        for (const WorldRect& face : model_.boxes[box].faces) {
            mesher.add(face);
        }
    }
    return frame;
}

std::vector<std::size_t> BuiltInWorld::boxPaintOrder(const simd_float3& eye) const {
    // Repeatedly take a box that no remaining box has to be painted before; should the boxes
    // ever form a cycle, the farthest remaining one goes next.
    std::vector<std::size_t> remaining(model_.boxes.size());
    for (std::size_t i = 0; i < remaining.size(); ++i) {
        remaining[i] = i;
    }
    const auto distance = [&](std::size_t i) {
        const WorldBox& box = model_.boxes[i];
        return glm::distance((box.min + box.max) * 0.5F, eye);
    };
    const auto isFree = [&](std::size_t i) {
        return std::none_of(remaining.begin(), remaining.end(), [&](std::size_t j) {
            return j != i && model_.boxes[j].isBehind(model_.boxes[i], eye);
        });
    };
    std::vector<std::size_t> order;
    while (!remaining.empty()) {
        auto next = std::find_if(remaining.begin(), remaining.end(), isFree);
        if (next == remaining.end()) {
            next = std::max_element(
                remaining.begin(), remaining.end(),
                [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
        }
        order.push_back(*next);
        remaining.erase(next);
    }
    return order;
}

}  // namespace rovuzu
