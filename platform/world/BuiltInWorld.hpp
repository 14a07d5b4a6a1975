#pragma once

#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/world/PixelImage.hpp"
#include "platform/world/WorldFrame.hpp"
#include "platform/world/WorldModel.hpp"

namespace rovuzu {

// The surroundings the desktop game shows in place of a phone's camera picture: a furnished
// room around the origin. Its textures are painted once, the same on every run; each frame,
// it turns into the textured triangles a camera sees, ready to hand to SDL_RenderGeometry.
class BuiltInWorld {
  public:
    BuiltInWorld();

    // The one world every view shares: its textures take a moment to paint, so they are
    // painted once, when first asked for.
    static const BuiltInWorld& shared();

    // The textures batches refer to by index.
    [[nodiscard]] const std::vector<PixelImage>& textures() const { return model_.textures; }
    [[nodiscard]] const WorldModel& model() const { return model_; }

    // The world as the camera sees it, painted in batch order. Empty for a camera that cannot
    // see anything: an empty view, or a pose that is not a number.
    [[nodiscard]] WorldFrame frame(const ARCamera& camera) const;

  private:
    [[nodiscard]] std::vector<std::size_t> boxPaintOrder(const simd_float3& eye) const;

    WorldModel model_;
};

}  // namespace rovuzu
