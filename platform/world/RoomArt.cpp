#include "platform/world/RoomArt.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/world/Canvas.hpp"
#include "platform/world/Noise.hpp"

namespace rovuzu {

namespace {

constexpr float kFloorPixels = 256.0F;
constexpr float kWallPixels = 256.0F;
constexpr float kCeilingPixels = 128.0F;
constexpr float kRugPixels = 300.0F;
constexpr float kLightPixels = 128.0F;

constexpr Rgba kTrim = Rgba::hex(0xF3EFE7);
constexpr float kSkirting = 0.12F;
constexpr float kCornice = 0.07F;

PixelImage blank(float width, float height, float pixelsPerMetre, Rgba fill, PixelRows rows) {
    return {static_cast<int>(std::lround(width * pixelsPerMetre)),
            static_cast<int>(std::lround(height * pixelsPerMetre)), fill, rows};
}

// One plank, painted at `top` and once more a tile higher so that it wraps seamlessly.
void paintPlank(Canvas& canvas, const Box2& plank, std::uint32_t seed) {
    const Rgba oak = Rgba::hex(0xD4B08A);
    const Rgba tone = oak.shade((Noise::hash(0, 0, seed) - 0.5F) * 0.16F);
    for (const float shift : {0.0F, -RoomArt::kFloorTile}) {
        const Box2 at{plank.x0, plank.y0 + shift, plank.x1, plank.y1 + shift};
        canvas.paint(at, [&](glm::vec2 p) {
            const float grain = Noise::smooth((p.x - at.x0) * 60.0F, (p.y - at.y0) * 3.0F, seed);
            const float streak =
                Noise::smooth((p.x - at.x0) * 140.0F, (p.y - at.y0) * 9.0F, seed + 1U);
            return tone.shade(-0.07F * grain - 0.04F * streak * streak);
        });
        // The joint at the plank's far end.
        canvas.fillRect({at.x0, at.y1 - 0.004F, at.x1, at.y1}, oak.shade(-0.28F));
    }
}

void paintRugField(Canvas& canvas, const Box2& field) {
    const Rgba navy = Rgba::hex(0x2F4156);
    const Rgba cream = Rgba::hex(0xEDE3CF);
    canvas.paint(field, [&](glm::vec2 p) {
        const float wool = Noise::hash(static_cast<std::int32_t>(p.x * 400.0F),
                                       static_cast<std::int32_t>(p.y * 400.0F), 7U);
        return navy.shade((wool - 0.5F) * 0.06F);
    });
    constexpr float kStep = 0.34F;
    constexpr float kSize = 0.05F;
    for (float y = field.y0 + kStep / 2.0F; y < field.y1; y += kStep) {
        for (float x = field.x0 + kStep / 2.0F; x < field.x1; x += kStep) {
            canvas.fillPolygon({{x, y - kSize}, {x + kSize, y}, {x, y + kSize}, {x - kSize, y}},
                               cream.withAlpha(0.8F));
        }
    }
}

void paintRugMedallion(Canvas& canvas, glm::vec2 centre) {
    const Rgba cream = Rgba::hex(0xEDE3CF);
    const Rgba terracotta = Rgba::hex(0xC8553D);
    const Rgba mustard = Rgba::hex(0xE0A84A);
    const auto diamond = [&](float w, float h, const Rgba& colour) {
        canvas.fillPolygon({{centre.x, centre.y - h},
                            {centre.x + w, centre.y},
                            {centre.x, centre.y + h},
                            {centre.x - w, centre.y}},
                           colour);
    };
    diamond(0.78F, 0.62F, cream);
    diamond(0.72F, 0.56F, terracotta);
    diamond(0.5F, 0.38F, mustard);
    diamond(0.3F, 0.22F, Rgba::hex(0x2F4156));
    diamond(0.1F, 0.08F, cream);
}

}  // namespace

PixelImage RoomArt::floor(PixelRows rows) {
    // The gaps between planks show through where no plank is painted; soft enough not to
    // flicker into dashes far away, where texels are skipped.
    PixelImage image =
        blank(kFloorTile, kFloorTile, kFloorPixels, Rgba::hex(0xD4B08A).shade(-0.3F), rows);
    Canvas canvas(image, kFloorPixels);
    constexpr float kPlankWidth = 0.2F;
    constexpr float kGap = 0.006F;
    const int columns = static_cast<int>(std::lround(kFloorTile / kPlankWidth));
    for (int column = 0; column < columns; ++column) {
        const float x = static_cast<float>(column) * kPlankWidth;
        float y = Noise::hash(column, 1, 11U) * kFloorTile;
        const float end = y + kFloorTile;
        for (int plank = 0; y < end - 0.01F; ++plank) {
            const float length = 0.7F + Noise::hash(column, plank, 12U) * 0.8F;
            const float bottom = std::min(y + length, end);
            const auto seed = static_cast<std::uint32_t>(column * 131 + plank * 7 + 1);
            paintPlank(canvas, {x + kGap, y, x + kPlankWidth, bottom}, seed);
            y = bottom;
        }
    }
    return image;
}

Rgba RoomArt::wallPaint(const Rgba& paint, float heightAboveFloor) {
    const float t = std::clamp(heightAboveFloor / kRoomHeight, 0.0F, 1.0F);
    return paint.shade(-0.07F + 0.13F * t);
}

PixelImage RoomArt::wall(const Rgba& paint, PixelRows rows) {
    PixelImage image = blank(kWallTile, kRoomHeight, kWallPixels, paint, rows);
    Canvas canvas(image, kWallPixels);
    canvas.paint(canvas.bounds(), [&](glm::vec2 p) { return wallPaint(paint, kRoomHeight - p.y); });
    const float floorY = kRoomHeight;
    // Skirting board with its lit top edge and the shadow it casts on the paint above.
    canvas.fillRect({0.0F, floorY - kSkirting - 0.02F, kWallTile, floorY - kSkirting},
                    Rgba{0.0F, 0.0F, 0.0F, 0.10F});
    canvas.fillRect({0.0F, floorY - kSkirting, kWallTile, floorY}, kTrim.shade(-0.04F));
    canvas.fillRect({0.0F, floorY - kSkirting, kWallTile, floorY - kSkirting + 0.012F}, kTrim);
    canvas.fillRect({0.0F, floorY - 0.01F, kWallTile, floorY}, kTrim.shade(-0.25F));
    // Cornice under the ceiling.
    canvas.fillRect({0.0F, 0.0F, kWallTile, kCornice}, kTrim);
    canvas.fillRect({0.0F, kCornice - 0.012F, kWallTile, kCornice}, kTrim.shade(-0.1F));
    canvas.fillRect({0.0F, kCornice, kWallTile, kCornice + 0.015F}, Rgba{0.0F, 0.0F, 0.0F, 0.07F});
    return image;
}

PixelImage RoomArt::ceiling(PixelRows rows) {
    const Rgba plaster = Rgba::hex(0xEFECE6);
    PixelImage image = blank(kCeilingTile, kCeilingTile, kCeilingPixels, plaster, rows);
    Canvas canvas(image, kCeilingPixels);
    canvas.paint(canvas.bounds(), [&](glm::vec2 p) {
        const float speck = Noise::hash(static_cast<std::int32_t>(p.x * kCeilingPixels),
                                        static_cast<std::int32_t>(p.y * kCeilingPixels), 21U);
        return plaster.shade(speck > 0.93F ? -0.05F : 0.0F);
    });
    // Half of each groove on each side, so that neighbouring tiles make a whole one.
    const Rgba groove = plaster.shade(-0.13F);
    constexpr float kHalfGroove = 0.008F;
    canvas.fillRect({0.0F, 0.0F, kCeilingTile, kHalfGroove}, groove);
    canvas.fillRect({0.0F, kCeilingTile - kHalfGroove, kCeilingTile, kCeilingTile}, groove);
    canvas.fillRect({0.0F, 0.0F, kHalfGroove, kCeilingTile}, groove);
    canvas.fillRect({kCeilingTile - kHalfGroove, 0.0F, kCeilingTile, kCeilingTile}, groove);
    return image;
}

PixelImage RoomArt::rug(PixelRows rows) {
    const Rgba mustard = Rgba::hex(0xE0A84A);
    const Rgba cream = Rgba::hex(0xEDE3CF);
    PixelImage image = blank(kRugWidth, kRugDepth, kRugPixels, mustard, rows);
    Canvas canvas(image, kRugPixels);
    const Box2 whole = canvas.bounds();
    canvas.fillRect(whole.inset(0.1F), cream);
    paintRugField(canvas, whole.inset(0.13F));
    canvas.strokeRect(whole.inset(0.2F), 0.015F, cream.withAlpha(0.7F));
    paintRugMedallion(canvas, {kRugWidth / 2.0F, kRugDepth / 2.0F});
    // Tassels along the short ends.
    for (float y = 0.04F; y < kRugDepth - 0.02F; y += 0.06F) {
        canvas.fillRect({0.0F, y, 0.06F, y + 0.025F}, cream);
        canvas.fillRect({kRugWidth - 0.06F, y, kRugWidth, y + 0.025F}, cream);
    }
    return image;
}

PixelImage RoomArt::ceilingLight(PixelRows rows) {
    PixelImage image = blank(kLightWidth, kLightDepth, kLightPixels, Rgba::hex(0xD9D6CF), rows);
    Canvas canvas(image, kLightPixels);
    const Box2 glow = canvas.bounds().inset(0.035F);
    const glm::vec2 centre{kLightWidth / 2.0F, kLightDepth / 2.0F};
    canvas.paint(glow, [&](glm::vec2 p) {
        const glm::vec2 d = (p - centre) / glm::vec2{glow.width(), glow.height()};
        const float edge = std::min(1.0F, 2.0F * std::max(std::abs(d.x), std::abs(d.y)));
        return Rgba::hex(0xFFFDF6).mix(Rgba::hex(0xF6EBCB), edge * edge);
    });
    return image;
}

PixelImage RoomArt::palette(const std::vector<Rgba>& colours, std::size_t side, PixelRows rows) {
    const int pixels = kPaletteCell * static_cast<int>(side);
    PixelImage image(pixels, pixels, Rgba{0.0F, 0.0F, 0.0F, 1.0F}, rows);
    Canvas canvas(image, 1.0F);
    for (std::size_t i = 0; i < colours.size() && i < side * side; ++i) {
        const std::size_t column = i % side;
        const std::size_t row = i / side;
        const auto x = static_cast<float>(column * kPaletteCell);
        const auto y = static_cast<float>(row * kPaletteCell);
        canvas.fillRect({x, y, x + kPaletteCell, y + kPaletteCell}, colours[i]);
    }
    return image;
}

}  // namespace rovuzu
