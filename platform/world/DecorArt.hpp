#pragma once

#include <functional>

#include "platform/world/PixelImage.hpp"
#include "platform/world/Rgba.hpp"

namespace rovuzu {

// The pictures that make each wall recognisable: a window onto hills and mountains, curtains,
// a door, posters, a painting, a clock, and the fronts of a bookcase and a sideboard. Each is
// painted at the size in metres given here, whole or only the band of the given rows, to the
// same pixels.
class DecorArt {
  public:
    // The wall's paint at a height above the floor, for pictures that are not rectangular.
    using WallPaint = std::function<Rgba(float heightAboveFloor)>;

    static constexpr float kWindowWidth = 3.0F;
    static constexpr float kWindowHeight = 1.6F;
    static constexpr float kCurtainWidth = 0.6F;
    static constexpr float kCurtainHeight = 2.5F;
    static constexpr float kDoorWidth = 1.05F;
    static constexpr float kDoorHeight = 2.18F;
    static constexpr float kPosterWidth = 0.7F;
    static constexpr float kPosterHeight = 1.0F;
    static constexpr float kPaintingWidth = 1.6F;
    static constexpr float kPaintingHeight = 1.0F;
    static constexpr float kClockSide = 0.46F;
    static constexpr float kBookcaseWidth = 1.8F;
    static constexpr float kBookcaseHeight = 2.1F;
    static constexpr float kSideboardWidth = 2.4F;
    static constexpr float kSideboardHeight = 0.75F;

    static PixelImage window(PixelRows rows);
    static PixelImage curtain(PixelRows rows);
    static PixelImage door(PixelRows rows);
    // Circles and bars in the manner of the Bauhaus.
    static PixelImage circlesPoster(PixelRows rows);
    // Nested arcs like a rising sun.
    static PixelImage arcsPoster(PixelRows rows);
    // A sunset over the sea with islands.
    static PixelImage painting(PixelRows rows);
    // Hung with its centre `centreHeight` metres above the floor.
    static PixelImage clock(const WallPaint& wall, float centreHeight, PixelRows rows);
    static PixelImage bookcase(PixelRows rows);
    static PixelImage sideboard(PixelRows rows);
    // The front of a chest: `columns` by two drawers, each with a bar handle, on a plinth.
    static PixelImage drawers(float width, float height, const Rgba& wood, int columns,
                              PixelRows rows);
};

}  // namespace rovuzu
