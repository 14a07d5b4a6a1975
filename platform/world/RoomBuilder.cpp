#include "platform/world/RoomBuilder.hpp"

#ifndef __EMSCRIPTEN__
#include <sys/resource.h>
#endif

#include <algorithm>
#include <array>
#include <future>
#include <utility>

#include "platform/world/DecorArt.hpp"
#include "platform/world/RoomArt.hpp"

namespace rovuzu {

namespace {

constexpr float kHeight = RoomArt::kRoomHeight;
constexpr std::size_t kPaletteTexture = 0;
#ifndef __EMSCRIPTEN__
constexpr int kPainterNiceness = 10;
#endif

struct Paints {
    static constexpr Rgba north = Rgba::hex(0xA9C4B5);
    static constexpr Rgba east = Rgba::hex(0xE7CFA6);
    static constexpr Rgba south = Rgba::hex(0xA8BCD3);
    static constexpr Rgba west = Rgba::hex(0xDCA99C);
};

// A wall seen from inside the room: its top-left corner and the way its picture runs.
WorldRect wallRect(simd_float3 topLeft, AxisDirection right, float width) {
    return {topLeft, right, kMinusY, width, kHeight, {}};
}

// How much light a face gets for the way it faces: the ceiling lights from above, the window
// from -z.
float faceShade(AxisDirection facing) {
    if (facing.axis == 1) {
        return facing.sign > 0.0F ? 0.1F : -0.35F;
    }
    if (facing.axis == 2) {
        return facing.sign > 0.0F ? -0.03F : -0.1F;
    }
    return facing.sign > 0.0F ? -0.06F : -0.13F;
}

// The whole texture, once over `width` by `height` metres.
TextureTile pictureTile(std::size_t texture, float width, float height) {
    return {texture, width, height, 0.0F, 0.0F, 1.0F, 1.0F};
}

struct FaceFrame {
    AxisDirection facing;
    simd_float3 origin;
    AxisDirection right;
    AxisDirection down;
    float width;
    float height;
};

std::array<FaceFrame, 6> boxFaces(const simd_float3& lo, const simd_float3& hi) {
    const simd_float3 size = hi - lo;
    return {{
        {kPlusZ, {lo.x, hi.y, hi.z}, kPlusX, kMinusY, size.x, size.y},
        {kMinusZ, {hi.x, hi.y, lo.z}, kMinusX, kMinusY, size.x, size.y},
        {kPlusX, {hi.x, hi.y, hi.z}, kMinusZ, kMinusY, size.z, size.y},
        {kMinusX, {lo.x, hi.y, lo.z}, kPlusZ, kMinusY, size.z, size.y},
        {kPlusY, {lo.x, hi.y, lo.z}, kPlusX, kPlusZ, size.x, size.z},
        {kMinusY, {lo.x, lo.y, hi.z}, kPlusX, kMinusZ, size.x, size.z},
    }};
}

}  // namespace

RoomBuilder::RoomBuilder() {
    layout_.model.textures.emplace_back();
}

RoomBuilder::Layout RoomBuilder::layout() {
    RoomBuilder builder;
    builder.addShell();
    builder.addFloorAndCeilingDecor();
    builder.addSofa();
    builder.addFloorLamp();
    // The palette last, once every colour is in it.
    builder.layout_.textures.push_back(
        {kPaletteTexture, [colours = builder.palette_](PixelRows rows) {
             return RoomArt::palette(colours, kPaletteSide, rows);
         }});
    return std::move(builder.layout_);
}

WorldModel RoomBuilder::build() {
    Layout room = layout();
    std::vector<std::future<PixelImage>> painting;
    for (TexturePaint& texture : room.textures) {
#ifdef __EMSCRIPTEN__
        // A page has one thread: the textures are painted on it, one after another.
        painting.push_back(
            std::async(std::launch::deferred, std::move(texture.paint), PixelRows{}));
#else
        painting.push_back(std::async(std::launch::async, [paint = std::move(texture.paint)] {
            // Behind whatever else the program does meanwhile, such as opening its window: on
            // Linux a thread's niceness is its own.
            setpriority(PRIO_PROCESS, 0, kPainterNiceness);
            return paint(PixelRows{});
        }));
#endif
    }
    for (std::size_t i = 0; i < painting.size(); ++i) {
        room.model.textures[room.textures[i].index] = painting[i].get();
    }
    return std::move(room.model);
}

std::size_t RoomBuilder::addTexture(BandedPainting::Paint paint) {
    layout_.model.textures.emplace_back();
    const std::size_t index = layout_.model.textures.size() - 1;
    layout_.textures.push_back({index, std::move(paint)});
    return index;
}

TextureTile RoomBuilder::paletteTile(const Rgba& colour) {
    auto found = std::find_if(palette_.begin(), palette_.end(), [&colour](const Rgba& c) {
        return c.r == colour.r && c.g == colour.g && c.b == colour.b && c.a == colour.a;
    });
    if (found == palette_.end() && palette_.size() < kPaletteSide * kPaletteSide) {
        palette_.push_back(colour);
        found = palette_.end() - 1;
    }
    // A full palette repeats its last colour rather than reading past its end.
    const auto index = std::min(static_cast<std::size_t>(found - palette_.begin()),
                                kPaletteSide * kPaletteSide - 1);
    const std::size_t column = index % kPaletteSide;
    const std::size_t row = index / kPaletteSide;
    const auto side = static_cast<float>(kPaletteSide);
    const float u = (static_cast<float>(column) + 0.5F) / side;
    const float v = (static_cast<float>(row) + 0.5F) / side;
    return {kPaletteTexture, 0.0F, 0.0F, u, v, u, v};
}

void RoomBuilder::addShell() {
    const float w = kHalfWidth;
    const float d = kHalfDepth;
    const WorldRect north = wallRect({-w, kCeiling, -d}, kPlusX, 2.0F * w);
    const WorldRect east = wallRect({w, kCeiling, -d}, kPlusZ, 2.0F * d);
    const WorldRect south = wallRect({w, kCeiling, d}, kMinusX, 2.0F * w);
    const WorldRect west = wallRect({-w, kCeiling, d}, kMinusZ, 2.0F * d);
    const std::array<std::pair<WorldRect, Rgba>, 4> walls{{{north, Paints::north},
                                                           {east, Paints::east},
                                                           {south, Paints::south},
                                                           {west, Paints::west}}};
    for (auto [wall, paint] : walls) {
        const std::size_t texture =
            addTexture([paint = paint](PixelRows rows) { return RoomArt::wall(paint, rows); });
        wall.tile = pictureTile(texture, RoomArt::kWallTile, kHeight);
        layout_.model.shell.push_back(wall);
    }
    const std::size_t floor = addTexture(RoomArt::floor);
    layout_.model.shell.push_back({{-w, kFloor, -d},
                                   kPlusX,
                                   kPlusZ,
                                   2.0F * w,
                                   2.0F * d,
                                   pictureTile(floor, RoomArt::kFloorTile, RoomArt::kFloorTile)});
    const std::size_t ceiling = addTexture(RoomArt::ceiling);
    layout_.model.shell.push_back(
        {{-w, kCeiling, d},
         kPlusX,
         kMinusZ,
         2.0F * w,
         2.0F * d,
         pictureTile(ceiling, RoomArt::kCeilingTile, RoomArt::kCeilingTile)});
    addNorthWall(north);
    addEastWall(east);
    addSouthWall(south);
    addWestWall(west);
}

void RoomBuilder::addOnWall(const WorldRect& wall, float along, float bottom, float width,
                            float height, const TextureTile& tile) {
    WorldRect picture = wall;
    picture.origin = wall.origin + wall.right.vector() * along +
                     wall.down.vector() * (kHeight - bottom - height);
    picture.width = width;
    picture.height = height;
    picture.tile = tile;
    layout_.model.decals.push_back(picture);
}

void RoomBuilder::addNorthWall(const WorldRect& wall) {
    using Art = DecorArt;
    const float middle = wall.width / 2.0F;
    const std::size_t window = addTexture(Art::window);
    addOnWall(wall, middle - Art::kWindowWidth / 2.0F, 1.0F, Art::kWindowWidth, Art::kWindowHeight,
              pictureTile(window, Art::kWindowWidth, Art::kWindowHeight));
    const std::size_t curtain = addTexture(Art::curtain);
    const TextureTile curtainTile = pictureTile(curtain, Art::kCurtainWidth, Art::kCurtainHeight);
    const float gap = Art::kWindowWidth / 2.0F + 0.05F;
    addOnWall(wall, middle - gap - Art::kCurtainWidth, 0.25F, Art::kCurtainWidth,
              Art::kCurtainHeight, curtainTile);
    addOnWall(wall, middle + gap, 0.25F, Art::kCurtainWidth, Art::kCurtainHeight, curtainTile);
    const float rod = gap + Art::kCurtainWidth + 0.1F;
    addOnWall(wall, middle - rod, 2.75F, 2.0F * rod, 0.035F, paletteTile(Rgba::hex(0x6B5A45)));
    const float front = -kHalfDepth + 0.45F;
    const float top = kFloor + Art::kSideboardHeight;
    addBox({-1.2F, kFloor, -kHalfDepth}, {1.2F, top, front}, Rgba::hex(0x8A5A3B), kPlusZ,
           addTexture(Art::sideboard));
    addBox({0.7F, top, -4.38F}, {0.86F, top + 0.3F, -4.22F}, Rgba::hex(0xC8553D));
    addBox({-0.9F, top, -4.4F}, {-0.6F, top + 0.06F, -4.2F}, Rgba::hex(0x264653));
    addBox({-0.88F, top + 0.06F, -4.38F}, {-0.63F, top + 0.11F, -4.22F}, Rgba::hex(0xE9C46A));
}

void RoomBuilder::addEastWall(const WorldRect& wall) {
    using Art = DecorArt;
    const std::size_t door = addTexture(Art::door);
    addOnWall(wall, 1.0F, 0.0F, Art::kDoorWidth, Art::kDoorHeight,
              pictureTile(door, Art::kDoorWidth, Art::kDoorHeight));
    addOnWall(wall, 2.25F, 1.05F, 0.08F, 0.12F, paletteTile(Rgba::hex(0xF7F5F0)));
    const std::size_t poster = addTexture(Art::circlesPoster);
    addOnWall(wall, 4.1F, 1.2F, Art::kPosterWidth, Art::kPosterHeight,
              pictureTile(poster, Art::kPosterWidth, Art::kPosterHeight));
    const float top = kFloor + 0.85F;
    const Rgba chest = Rgba::hex(0x6F8F7E);
    addBox(
        {3.55F, kFloor, 1.5F}, {kHalfWidth, top, 3.3F}, chest, kMinusX,
        addTexture([chest](PixelRows rows) { return Art::drawers(1.8F, 0.85F, chest, 2, rows); }));
    addBox({3.72F, top, 2.55F}, {3.84F, top + 0.3F, 2.67F}, Rgba::hex(0xD4A84B));
    addBox({3.62F, top + 0.3F, 2.45F}, {3.94F, top + 0.55F, 2.77F}, Rgba::hex(0xF1E9DA));
}

void RoomBuilder::addSouthWall(const WorldRect& wall) {
    using Art = DecorArt;
    const std::size_t painting = addTexture(Art::painting);
    addOnWall(wall, 1.5F, 1.35F, Art::kPaintingWidth, Art::kPaintingHeight,
              pictureTile(painting, Art::kPaintingWidth, Art::kPaintingHeight));
    addBox({-3.5F, kFloor, kHalfDepth - 0.4F}, {-1.7F, kFloor + Art::kBookcaseHeight, kHalfDepth},
           Rgba::hex(0xEEEBE5), kMinusZ, addTexture(Art::bookcase));
}

void RoomBuilder::addWestWall(const WorldRect& wall) {
    using Art = DecorArt;
    const float middle = wall.width / 2.0F;
    constexpr float kClockCentre = 2.05F;
    const Rgba paint = Paints::west;
    const std::size_t clock = addTexture([paint](PixelRows rows) {
        return Art::clock([paint](float height) { return RoomArt::wallPaint(paint, height); },
                          kClockCentre, rows);
    });
    addOnWall(wall, middle - Art::kClockSide / 2.0F, kClockCentre - Art::kClockSide / 2.0F,
              Art::kClockSide, Art::kClockSide,
              pictureTile(clock, Art::kClockSide, Art::kClockSide));
    const std::size_t poster = addTexture(Art::arcsPoster);
    addOnWall(wall, middle - 2.1F, 1.15F, Art::kPosterWidth, Art::kPosterHeight,
              pictureTile(poster, Art::kPosterWidth, Art::kPosterHeight));
    const float top = kFloor + 0.8F;
    const Rgba oak = Rgba::hex(0xB98B5E);
    addBox({-kHalfWidth, kFloor, -1.2F}, {-3.6F, top, 1.2F}, oak, kPlusX,
           addTexture([oak](PixelRows rows) { return Art::drawers(2.4F, 0.8F, oak, 3, rows); }));
    addBox({-3.85F, top, 0.5F}, {-3.7F, top + 0.25F, 0.65F}, Rgba::hex(0x2A9D8F));
    addBox({-3.9F, top, -0.8F}, {-3.7F, top + 0.08F, -0.4F}, Rgba::hex(0xE76F51));
}

void RoomBuilder::addFloorAndCeilingDecor() {
    const std::size_t rug = addTexture(RoomArt::rug);
    layout_.model.decals.push_back(
        {{-RoomArt::kRugWidth / 2.0F, kFloor, -RoomArt::kRugDepth / 2.0F},
         kPlusX,
         kPlusZ,
         RoomArt::kRugWidth,
         RoomArt::kRugDepth,
         pictureTile(rug, RoomArt::kRugWidth, RoomArt::kRugDepth)});
    const std::size_t panel = addTexture(RoomArt::ceilingLight);
    const TextureTile lightTile = pictureTile(panel, RoomArt::kLightWidth, RoomArt::kLightDepth);
    for (const float z : {-2.1F, 2.1F}) {
        layout_.model.decals.push_back(
            {{-RoomArt::kLightWidth / 2.0F, kCeiling, z + RoomArt::kLightDepth / 2.0F},
             kPlusX,
             kMinusZ,
             RoomArt::kLightWidth,
             RoomArt::kLightDepth,
             lightTile});
    }
}

void RoomBuilder::addSofa() {
    const Rgba fabric = Rgba::hex(0x2F6F73);
    const float seat = kFloor + 0.4F;
    addBox({0.6F, kFloor, 3.6F}, {2.8F, seat, 4.45F}, fabric);
    addBox({0.6F, seat, 4.15F}, {2.8F, seat + 0.48F, 4.45F}, fabric);
    addBox({0.38F, kFloor, 3.6F}, {0.6F, seat + 0.22F, 4.45F}, fabric.shade(-0.08F));
    addBox({2.8F, kFloor, 3.6F}, {3.02F, seat + 0.22F, 4.45F}, fabric.shade(-0.08F));
    const Rgba cushion = fabric.shade(0.1F);
    addBox({0.62F, seat, 3.62F}, {1.69F, seat + 0.12F, 4.13F}, cushion);
    addBox({1.71F, seat, 3.62F}, {2.78F, seat + 0.12F, 4.13F}, cushion);
    addBox({0.72F, seat + 0.12F, 4.0F}, {1.07F, seat + 0.42F, 4.13F}, Rgba::hex(0xE0A84A));
    addBox({2.33F, seat + 0.12F, 4.0F}, {2.68F, seat + 0.42F, 4.13F}, Rgba::hex(0xE76F51));
}

void RoomBuilder::addFloorLamp() {
    const Rgba metal = Rgba::hex(0x2B2B2B);
    addBox({-3.7F, kFloor, -4.1F}, {-3.4F, kFloor + 0.04F, -3.8F}, metal);
    addBox({-3.57F, kFloor + 0.04F, -3.97F}, {-3.53F, 0.1F, -3.93F}, metal);
    addBox({-3.75F, 0.1F, -4.15F}, {-3.35F, 0.45F, -3.75F}, Rgba::hex(0xF1E9DA));
}

void RoomBuilder::addBox(const simd_float3& min, const simd_float3& max, const Rgba& colour) {
    WorldBox box{min, max, {}};
    for (const FaceFrame& face : boxFaces(min, max)) {
        box.faces.push_back({face.origin, face.right, face.down, face.width, face.height,
                             paletteTile(colour.shade(faceShade(face.facing)))});
    }
    layout_.model.boxes.push_back(std::move(box));
}

void RoomBuilder::addBox(const simd_float3& min, const simd_float3& max, const Rgba& colour,
                         AxisDirection pictureFace, std::size_t picture) {
    addBox(min, max, colour);
    for (WorldRect& face : layout_.model.boxes.back().faces) {
        const simd_float3 normal = face.normal();
        if (normal[pictureFace.axis] == pictureFace.sign) {
            face.tile = pictureTile(picture, face.width, face.height);
        }
    }
}

}  // namespace rovuzu
