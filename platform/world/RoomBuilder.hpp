#pragma once

#include <cstddef>
#include <vector>

#include "platform/world/BandedPainting.hpp"
#include "platform/world/WorldModel.hpp"

namespace rovuzu {

// Lays out the built-in world: a furnished living room around the origin, eye height above its
// floor. Each wall has its own colour and furniture so that a player can tell which way they
// face: the window ahead (-z), a door on the right (+x), a sofa and bookcase behind (+z), and
// a clock over a console on the left (-x).
class RoomBuilder {
  public:
    static constexpr float kHalfWidth = 4.0F;  // the walls at x = -4 and x = 4
    static constexpr float kHalfDepth = 4.5F;  // the walls at z = -4.5 and z = 4.5
    static constexpr float kFloor = -1.6F;
    static constexpr float kCeiling = 1.6F;

    // A texture still to paint: where it goes among the model's textures, and how.
    struct TexturePaint {
        std::size_t index = 0;
        BandedPainting::Paint paint;
    };
    // The room laid out, with its textures still to paint.
    struct Layout {
        WorldModel model;
        std::vector<TexturePaint> textures;
    };

    static Layout layout();
    // The room laid out and painted, each texture on a thread of its own where there are
    // threads: the textures take most of the time the world needs to start.
    static WorldModel build();

  private:
    // The palette is a square of this many cells a side.
    static constexpr std::size_t kPaletteSide = 16;

    RoomBuilder();

    // The index the texture will have once `paint` has made it.
    std::size_t addTexture(BandedPainting::Paint paint);
    [[nodiscard]] TextureTile paletteTile(const Rgba& colour);

    void addShell();
    void addNorthWall(const WorldRect& wall);
    void addEastWall(const WorldRect& wall);
    void addSouthWall(const WorldRect& wall);
    void addWestWall(const WorldRect& wall);
    void addFloorAndCeilingDecor();
    void addSofa();
    void addFloorLamp();

    // A picture on a wall: `along` metres from the wall's left end as seen from inside,
    // `bottom` metres above the floor.
    void addOnWall(const WorldRect& wall, float along, float bottom, float width, float height,
                   const TextureTile& tile);
    // A box of one colour, lit from above, optionally with a picture on one face.
    void addBox(const simd_float3& min, const simd_float3& max, const Rgba& colour);
    void addBox(const simd_float3& min, const simd_float3& max, const Rgba& colour,
                AxisDirection pictureFace, std::size_t picture);

    Layout layout_;
    std::vector<Rgba> palette_;
};

}  // namespace rovuzu
