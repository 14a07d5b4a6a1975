#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/world/BandedPainting.hpp"
#include "platform/world/PixelImage.hpp"
#include "platform/world/RoomBuilder.hpp"
#include "platform/world/WorldFrame.hpp"
#include "platform/world/WorldModel.hpp"

namespace rovuzu {

// The surroundings the desktop game shows in place of a phone's camera picture: a furnished
// room around the origin. Its textures are painted once, the same on every run; each frame,
// it turns into the textured triangles a camera sees, ready to hand to SDL_RenderGeometry.
class BuiltInWorld {
  public:
    // How many pixels of the textures one paintStep() paints, about: a few milliseconds'
    // work on a phone.
    static constexpr int kStepPixels = 32768;

    // Laid out and painted.
    BuiltInWorld();
    // Laid out, its textures still to paint, a step at a time: for a host with one thread,
    // which must not stop for long.
    static BuiltInWorld unpainted();

    // The one world every view shares: its textures take a moment to paint, so they are
    // painted once, when first asked for.
    static const BuiltInWorld& shared();

    // Paints the next band of the textures still to paint; the texture it finished, if any.
    std::optional<std::size_t> paintStep();
    // Takes textures painted elsewhere (by this very build) in place of those still to paint;
    // those already painted stay as they are. False, and nothing taken, unless there is one
    // whole picture for each texture.
    bool adoptTextures(std::vector<PixelImage> textures);
    [[nodiscard]] bool isPainted() const { return unpainted_.empty(); }

    // The textures batches refer to by index; empty pictures where they are still to paint.
    [[nodiscard]] const std::vector<PixelImage>& textures() const { return model_.textures; }
    [[nodiscard]] const WorldModel& model() const { return model_; }

    // The world as the camera sees it, painted in batch order. Empty for a camera that cannot
    // see anything: an empty view, or a pose that is not a number.
    [[nodiscard]] WorldFrame frame(const ARCamera& camera) const;

  private:
    explicit BuiltInWorld(RoomBuilder::Layout layout);

    [[nodiscard]] std::vector<std::size_t> boxPaintOrder(const simd_float3& eye) const;

    WorldModel model_;
    std::vector<RoomBuilder::TexturePaint> unpainted_;  // in the order they are painted
    std::optional<BandedPainting> painting_;            // the first of them, under way
};

}  // namespace rovuzu
