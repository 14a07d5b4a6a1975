#pragma once

#include <cstddef>
#include <vector>

#include "platform/world/PixelImage.hpp"
#include "platform/world/Rgba.hpp"

namespace rovuzu {

// The room's large surfaces, painted procedurally: the floor, the walls, the ceiling, the rug,
// the ceiling lights, and a palette of flat colours for furniture. Every picture repeats or
// fits the size in metres its surface gives it, at the stated pixels per metre. A picture is
// painted whole, or only the band of the given rows, to the same pixels.
class RoomArt {
  public:
    static constexpr float kRoomHeight = 3.2F;
    static constexpr float kFloorTile = 2.0F;
    static constexpr float kWallTile = 1.0F;
    static constexpr float kCeilingTile = 1.0F;
    static constexpr float kRugWidth = 3.0F;
    static constexpr float kRugDepth = 2.0F;
    static constexpr float kLightWidth = 1.2F;
    static constexpr float kLightDepth = 0.6F;
    // A palette's cells are this many pixels square.
    static constexpr int kPaletteCell = 4;

    // Oak planks, repeating every kFloorTile metres both ways.
    static PixelImage floor(PixelRows rows);
    // A painted wall kWallTile wide and the room's height, with skirting and cornice; repeats
    // sideways.
    static PixelImage wall(const Rgba& paint, PixelRows rows);
    // The paint of a wall at a height above the floor, for pictures that sit on it.
    static Rgba wallPaint(const Rgba& paint, float heightAboveFloor);
    static PixelImage ceiling(PixelRows rows);
    static PixelImage rug(PixelRows rows);
    static PixelImage ceilingLight(PixelRows rows);
    // A square of `side` by `side` cells, one colour each, filled row by row; colour i sits in
    // column i % side and row i / side.
    static PixelImage palette(const std::vector<Rgba>& colours, std::size_t side, PixelRows rows);
};

}  // namespace rovuzu
