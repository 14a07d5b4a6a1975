#include "platform/world/DecorArt.hpp"

#include <array>
#include <cmath>
#include <cstdint>
#include <glm/vec3.hpp>
#include <numbers>

#include "platform/world/Canvas.hpp"
#include "platform/world/Noise.hpp"

namespace rovuzu {

namespace {

constexpr float kPixels = 256.0F;
constexpr float kCurtainPixels = 128.0F;
constexpr float kTwoPi = 2.0F * std::numbers::pi_v<float>;

constexpr Rgba kTrim = Rgba::hex(0xF3EFE7);
constexpr Rgba kCream = Rgba::hex(0xF1E9DA);
constexpr Rgba kCoral = Rgba::hex(0xE76F51);
constexpr Rgba kTeal = Rgba::hex(0x2A9D8F);
constexpr Rgba kNavy = Rgba::hex(0x264653);
constexpr Rgba kYellow = Rgba::hex(0xE9C46A);
constexpr Rgba kTerracotta = Rgba::hex(0xC8553D);
constexpr Rgba kBrass = Rgba::hex(0xD4A84B);
constexpr Rgba kShadow{0.0F, 0.0F, 0.0F, 0.18F};

PixelImage blank(float width, float height, float pixelsPerMetre, Rgba fill, PixelRows rows) {
    return {static_cast<int>(std::lround(width * pixelsPerMetre)),
            static_cast<int>(std::lround(height * pixelsPerMetre)), fill, rows};
}

void verticalGradient(Canvas& canvas, const Box2& box, const Rgba& top, const Rgba& bottom) {
    canvas.paint(box, [&](glm::vec2 p) { return top.mix(bottom, (p.y - box.y0) / box.height()); });
}

// A mountain of two flat faces, lit from the left, with a snowy tip.
void mountain(Canvas& canvas, float x, float peak, float halfWidth, float base, const Rgba& rock) {
    const float ridge = x + 0.12F * halfWidth;
    canvas.fillPolygon({{x - halfWidth, base}, {x, peak}, {ridge, base}}, rock.shade(0.12F));
    canvas.fillPolygon({{ridge, base}, {x, peak}, {x + halfWidth, base}}, rock.shade(-0.1F));
    const float snow = peak + 0.22F * (base - peak);
    const float spread = 0.22F * halfWidth;
    canvas.fillPolygon({{x - spread, snow}, {x, peak}, {x + 0.03F, snow + 0.02F}},
                       Rgba::hex(0xF4F7FA));
    canvas.fillPolygon({{x + 0.03F, snow + 0.02F}, {x, peak}, {x + spread, snow}},
                       Rgba::hex(0xCBD6E2));
}

void tree(Canvas& canvas, float x, float ground, float height) {
    const float w = height * 0.32F;
    canvas.fillRect({x - 0.012F, ground - height * 0.25F, x + 0.012F, ground}, Rgba::hex(0x6B4F3A));
    canvas.fillPolygon(
        {{x - w, ground - height * 0.2F}, {x, ground - height}, {x, ground - height * 0.2F}},
        Rgba::hex(0x3F8050));
    canvas.fillPolygon(
        {{x, ground - height * 0.2F}, {x, ground - height}, {x + w, ground - height * 0.2F}},
        Rgba::hex(0x2E6640));
}

void cloud(Canvas& canvas, glm::vec2 at, float size) {
    const Rgba white{1.0F, 1.0F, 1.0F, 0.92F};
    canvas.fillCircle({at.x - size, at.y}, size * 0.7F, white);
    canvas.fillCircle({at.x, at.y - size * 0.35F}, size, white);
    canvas.fillCircle({at.x + size * 1.1F, at.y - size * 0.05F}, size * 0.75F, white);
    canvas.fillRect({at.x - size * 1.5F, at.y, at.x + size * 1.75F, at.y + size * 0.55F}, white);
}

void windowSky(Canvas& canvas, const Box2& glass, float horizon) {
    verticalGradient(canvas, {glass.x0, glass.y0, glass.x1, horizon}, Rgba::hex(0x6FAEDB),
                     Rgba::hex(0xD3EAF4));
    const glm::vec2 sun{2.25F, 0.4F};
    canvas.fillCircle(sun, 0.3F, Rgba::hex(0xFFF6D8).withAlpha(0.12F));
    canvas.fillCircle(sun, 0.19F, Rgba::hex(0xFFF6D8).withAlpha(0.25F));
    canvas.fillCircle(sun, 0.11F, Rgba::hex(0xFFF4CF));
    cloud(canvas, {0.55F, 0.3F}, 0.09F);
    cloud(canvas, {1.45F, 0.2F}, 0.07F);
    cloud(canvas, {2.75F, 0.62F}, 0.06F);
}

void windowLand(Canvas& canvas, const Box2& glass, float horizon) {
    const Rgba rock = Rgba::hex(0x8EA5BD);
    mountain(canvas, 0.35F, horizon - 0.5F, 0.45F, horizon + 0.05F, rock);
    mountain(canvas, 1.0F, horizon - 0.66F, 0.55F, horizon + 0.05F, rock.shade(-0.05F));
    mountain(canvas, 1.75F, horizon - 0.45F, 0.5F, horizon + 0.05F, rock);
    mountain(canvas, 2.55F, horizon - 0.58F, 0.6F, horizon + 0.05F, rock.shade(-0.08F));
    // Three hills, farthest first, each with one crest so that it stays convex.
    canvas.fillPolygon({{glass.x0, horizon - 0.03F},
                        {0.8F, horizon - 0.14F},
                        {glass.x1, horizon + 0.02F},
                        {glass.x1, glass.y1},
                        {glass.x0, glass.y1}},
                       Rgba::hex(0x9CC77C));
    canvas.fillPolygon({{glass.x0, horizon + 0.1F},
                        {2.2F, horizon - 0.12F},
                        {glass.x1, horizon - 0.08F},
                        {glass.x1, glass.y1},
                        {glass.x0, glass.y1}},
                       Rgba::hex(0x7DB463));
    canvas.fillPolygon({{glass.x0, horizon + 0.2F},
                        {0.9F, horizon + 0.13F},
                        {glass.x1, horizon + 0.27F},
                        {glass.x1, glass.y1},
                        {glass.x0, glass.y1}},
                       Rgba::hex(0x5F9A50));
    const std::array<glm::vec3, 7> trees{{{0.3F, 0.99F, 0.2F},
                                          {0.42F, 1.0F, 0.15F},
                                          {0.95F, 0.9F, 0.12F},
                                          {1.9F, 0.9F, 0.14F},
                                          {2.05F, 0.88F, 0.18F},
                                          {2.5F, 1.26F, 0.24F},
                                          {2.66F, 1.27F, 0.17F}}};
    for (const glm::vec3& t : trees) {
        tree(canvas, t.x, t.y, t.z);
    }
}

void windowFrame(Canvas& canvas, const Box2& whole) {
    constexpr float kFrame = 0.07F;
    constexpr float kBar = 0.04F;
    const Box2 glass = whole.inset(kFrame);
    // Light on the glass, then the frame's shadow along its inner edge.
    canvas.fillPolygon({{0.3F, glass.y1}, {0.9F, glass.y0}, {1.1F, glass.y0}, {0.5F, glass.y1}},
                       Rgba{1.0F, 1.0F, 1.0F, 0.08F});
    canvas.fillPolygon({{1.9F, glass.y1}, {2.5F, glass.y0}, {2.58F, glass.y0}, {1.98F, glass.y1}},
                       Rgba{1.0F, 1.0F, 1.0F, 0.08F});
    canvas.strokeRect(glass, 0.012F, kShadow);
    canvas.strokeRect(whole, kFrame, kTrim);
    for (const float x : {1.0F, 2.0F}) {
        canvas.fillRect({x - kBar / 2.0F, glass.y0, x + kBar / 2.0F, glass.y1}, kTrim);
    }
    canvas.fillRect({glass.x0, 0.52F, glass.x1, 0.52F + kBar}, kTrim);
    canvas.fillRect({glass.x0, 0.52F + kBar, glass.x1, 0.52F + kBar + 0.01F}, kShadow);
    canvas.fillRect({0.0F, whole.y1 - 0.05F, whole.x1, whole.y1}, kTrim.shade(-0.08F));
}

// A flat picture's mat and frame, painted last over the picture's edges.
void frame(Canvas& canvas, float matWidth, float frameWidth, const Rgba& frameColour) {
    const Box2 whole = canvas.bounds();
    canvas.strokeRect(whole.inset(frameWidth), matWidth, Rgba::hex(0xFBFAF7));
    canvas.strokeRect(whole.inset(frameWidth + matWidth), 0.006F, kShadow);
    canvas.strokeRect(whole, frameWidth, frameColour);
}

void caption(Canvas& canvas, float x, float y, float width) {
    canvas.fillRect({x, y, x + width, y + 0.012F}, kNavy);
    canvas.fillRect({x, y + 0.025F, x + width * 0.6F, y + 0.035F}, kNavy.withAlpha(0.6F));
}

void doorPanel(Canvas& canvas, const Box2& panel, const Rgba& wood) {
    canvas.fillRect(panel, wood.shade(0.05F));
    canvas.strokeRect(panel, 0.014F, wood.shade(-0.22F));
    canvas.fillRect({panel.x0 + 0.014F, panel.y1 - 0.02F, panel.x1 - 0.014F, panel.y1 - 0.014F},
                    wood.shade(0.2F));
}

// Books standing on one shelf, left to right, with the odd gap and one leaning at the end.
void shelfOfBooks(Canvas& canvas, const Box2& shelf, std::uint32_t seed) {
    constexpr std::array<std::uint32_t, 10> kColours{0x264653, 0x2A9D8F, 0xE9C46A, 0xF4A261,
                                                     0xE76F51, 0x8D6A9F, 0x5C8D89, 0xC8553D,
                                                     0xEDE3CF, 0x3D5A80};
    float x = shelf.x0 + 0.02F + Noise::hash(0, 0, seed) * 0.12F;
    const float end = shelf.x1 - 0.05F - Noise::hash(1, 0, seed) * 0.35F;
    for (int i = 0; x < end; ++i) {
        const float width = 0.022F + Noise::hash(i, 1, seed) * 0.028F;
        const float height = shelf.height() * (0.58F + Noise::hash(i, 2, seed) * 0.3F);
        const Rgba colour =
            Rgba::hex(kColours[static_cast<std::size_t>(Noise::hash(i, 3, seed) *
                                                        static_cast<float>(kColours.size()))])
                .shade((Noise::hash(i, 4, seed) - 0.5F) * 0.2F);
        const Box2 book{x, shelf.y1 - height, x + width, shelf.y1};
        canvas.fillRect(book, colour);
        canvas.fillRect({book.x0, book.y0 + 0.03F, book.x1, book.y0 + 0.045F}, colour.shade(0.35F));
        canvas.fillRect({book.x1 - 0.003F, book.y0, book.x1, book.y1}, kShadow);
        x += width + (Noise::hash(i, 5, seed) > 0.9F ? 0.04F : 0.002F);
    }
    const float lean = shelf.height() * 0.7F;
    canvas.fillPolygon({{x, shelf.y1},
                        {x + 0.03F, shelf.y1},
                        {x + 0.03F + lean * 0.45F, shelf.y1 - lean * 0.9F},
                        {x + lean * 0.45F, shelf.y1 - lean * 0.9F - 0.01F}},
                       Rgba::hex(0x8D6A9F));
}

void shelfOrnament(Canvas& canvas, const Box2& shelf) {
    const float x = shelf.x1 - 0.16F;
    canvas.fillPolygon({{x - 0.06F, shelf.y1 - 0.12F},
                        {x + 0.06F, shelf.y1 - 0.12F},
                        {x + 0.045F, shelf.y1},
                        {x - 0.045F, shelf.y1}},
                       kTerracotta);
    for (const glm::vec3& leaf : {glm::vec3{-0.05F, 0.2F, 0.05F}, glm::vec3{0.0F, 0.25F, 0.055F},
                                  glm::vec3{0.05F, 0.19F, 0.05F}}) {
        canvas.fillCircle({x + leaf.x, shelf.y1 - leaf.y}, leaf.z, Rgba::hex(0x4E8B57));
    }
}

}  // namespace

PixelImage DecorArt::window(PixelRows rows) {
    PixelImage image = blank(kWindowWidth, kWindowHeight, kPixels, kTrim, rows);
    Canvas canvas(image, kPixels);
    const Box2 glass = canvas.bounds().inset(0.07F);
    constexpr float kHorizon = 1.0F;
    windowSky(canvas, glass, kHorizon);
    windowLand(canvas, glass, kHorizon);
    windowFrame(canvas, canvas.bounds());
    return image;
}

PixelImage DecorArt::curtain(PixelRows rows) {
    const Rgba fabric = Rgba::hex(0xD9A441);
    PixelImage image = blank(kCurtainWidth, kCurtainHeight, kCurtainPixels, fabric, rows);
    Canvas canvas(image, kCurtainPixels);
    canvas.paint(canvas.bounds(), [&](glm::vec2 p) {
        const float fold = std::sin(kTwoPi * p.x / 0.11F + 1.3F * std::sin(kTwoPi * p.x / 0.37F));
        const float weave = Noise::hash(static_cast<std::int32_t>(p.x * kCurtainPixels),
                                        static_cast<std::int32_t>(p.y * kCurtainPixels), 31U);
        return fabric.shade(0.09F * fold - 0.02F * weave);
    });
    canvas.fillRect({0.0F, 0.0F, kCurtainWidth, 0.06F}, fabric.shade(-0.15F));
    canvas.fillRect({0.0F, kCurtainHeight - 0.05F, kCurtainWidth, kCurtainHeight},
                    fabric.shade(-0.1F));
    return image;
}

PixelImage DecorArt::door(PixelRows rows) {
    const Rgba wood = Rgba::hex(0xB98B5E);
    PixelImage image = blank(kDoorWidth, kDoorHeight, kPixels, kTrim, rows);
    Canvas canvas(image, kPixels);
    constexpr float kCasing = 0.07F;
    const Box2 leaf{kCasing, kCasing, kDoorWidth - kCasing, kDoorHeight};
    canvas.paint(leaf, [&](glm::vec2 p) {
        return wood.shade(-0.06F * Noise::smooth(p.x * 90.0F, p.y * 2.5F, 41U));
    });
    canvas.fillRect({leaf.x0, leaf.y0, leaf.x1, leaf.y0 + 0.008F}, kShadow.withAlpha(0.35F));
    canvas.fillRect({leaf.x0, leaf.y0, leaf.x0 + 0.008F, leaf.y1}, kShadow.withAlpha(0.35F));
    canvas.fillRect({leaf.x1 - 0.008F, leaf.y0, leaf.x1, leaf.y1}, kShadow.withAlpha(0.35F));
    doorPanel(canvas, {0.2F, 0.24F, kDoorWidth - 0.2F, 0.98F}, wood);
    doorPanel(canvas, {0.2F, 1.18F, kDoorWidth - 0.2F, 2.0F}, wood);
    const glm::vec2 handle{kDoorWidth - 0.17F, kDoorHeight - 1.02F};
    canvas.fillCircle(handle, 0.032F, kBrass.shade(-0.15F));
    canvas.fillRect({handle.x - 0.12F, handle.y - 0.011F, handle.x, handle.y + 0.011F}, kBrass);
    canvas.fillCircle(handle, 0.022F, kBrass.shade(0.15F));
    return image;
}

PixelImage DecorArt::circlesPoster(PixelRows rows) {
    PixelImage image = blank(kPosterWidth, kPosterHeight, kPixels, kCream, rows);
    Canvas canvas(image, kPixels);
    canvas.fillCircle({0.35F, 0.37F}, 0.2F, kCoral);
    canvas.fillCircle({0.54F, 0.2F}, 0.06F, kYellow);
    canvas.fillRect({0.12F, 0.63F, 0.58F, 0.675F}, kNavy);
    canvas.fillCircle({0.35F, 0.93F}, 0.2F, kTeal);
    canvas.fillPolygon({{0.12F, 0.3F}, {0.2F, 0.14F}, {0.28F, 0.3F}}, kNavy);
    frame(canvas, 0.05F, 0.02F, Rgba::hex(0x222222));
    return image;
}

PixelImage DecorArt::arcsPoster(PixelRows rows) {
    const Rgba paper = Rgba::hex(0xF4EBDD);
    PixelImage image = blank(kPosterWidth, kPosterHeight, kPixels, paper, rows);
    Canvas canvas(image, kPixels);
    const glm::vec2 centre{0.35F, 0.7F};
    const std::array<Rgba, 5> rings{kTerracotta, kYellow, kTeal, kNavy, paper};
    for (std::size_t i = 0; i < rings.size(); ++i) {
        canvas.fillCircle(centre, 0.27F - 0.055F * static_cast<float>(i), rings[i]);
    }
    canvas.fillRect({0.0F, centre.y, kPosterWidth, kPosterHeight}, paper);
    canvas.fillRect({0.08F, centre.y, 0.62F, centre.y + 0.008F}, kNavy);
    caption(canvas, 0.18F, 0.8F, 0.34F);
    frame(canvas, 0.05F, 0.02F, Rgba::hex(0xA7794F));
    return image;
}

PixelImage DecorArt::painting(PixelRows rows) {
    PixelImage image = blank(kPaintingWidth, kPaintingHeight, kPixels, kCream, rows);
    Canvas canvas(image, kPixels);
    constexpr float kHorizon = 0.6F;
    verticalGradient(canvas, {0.0F, 0.0F, kPaintingWidth, 0.35F}, Rgba::hex(0x5B5F97),
                     Rgba::hex(0xE98A6A));
    verticalGradient(canvas, {0.0F, 0.35F, kPaintingWidth, kHorizon}, Rgba::hex(0xE98A6A),
                     Rgba::hex(0xF9C784));
    canvas.fillCircle({1.02F, kHorizon}, 0.14F, Rgba::hex(0xFCE6A8));
    verticalGradient(canvas, {0.0F, kHorizon, kPaintingWidth, kPaintingHeight}, Rgba::hex(0x3D5A80),
                     Rgba::hex(0x23344D));
    for (int i = 0; i < 6; ++i) {
        const float y = kHorizon + 0.03F + 0.05F * static_cast<float>(i);
        const float half = 0.13F - 0.018F * static_cast<float>(i);
        canvas.fillRect({1.02F - half, y, 1.02F + half, y + 0.012F},
                        Rgba::hex(0xFCE6A8).withAlpha(0.75F));
    }
    const Rgba land = Rgba::hex(0x2B2D42);
    canvas.fillPolygon(
        {{0.05F, kHorizon}, {0.22F, kHorizon - 0.1F}, {0.36F, kHorizon - 0.06F}, {0.55F, kHorizon}},
        land);
    canvas.fillPolygon({{1.3F, kHorizon}, {1.42F, kHorizon - 0.05F}, {1.55F, kHorizon}}, land);
    frame(canvas, 0.0F, 0.045F, Rgba::hex(0xA7794F));
    return image;
}

PixelImage DecorArt::clock(const WallPaint& wall, float centreHeight, PixelRows rows) {
    PixelImage image = blank(kClockSide, kClockSide, kPixels, kTrim, rows);
    Canvas canvas(image, kPixels);
    const float top = centreHeight + kClockSide / 2.0F;
    canvas.paint(canvas.bounds(), [&](glm::vec2 p) { return wall(top - p.y); });
    const glm::vec2 c{kClockSide / 2.0F, kClockSide / 2.0F};
    canvas.fillCircle(c + glm::vec2{0.006F, 0.01F}, 0.21F, kShadow);
    canvas.fillCircle(c, 0.21F, Rgba::hex(0x2B2B2B));
    canvas.fillCircle(c, 0.192F, Rgba::hex(0xFAF8F3));
    for (int hour = 0; hour < 12; ++hour) {
        const float a = kTwoPi * static_cast<float>(hour) / 12.0F;
        const glm::vec2 d{std::sin(a), -std::cos(a)};
        const glm::vec2 side{-d.y * 0.006F, d.x * 0.006F};
        const float inner = hour % 3 == 0 ? 0.14F : 0.158F;
        canvas.fillPolygon({c + d * inner - side, c + d * 0.178F - side, c + d * 0.178F + side,
                            c + d * inner + side},
                           Rgba::hex(0x2B2B2B));
    }
    const auto hand = [&](float turns, float length, float width, const Rgba& colour) {
        const glm::vec2 d{std::sin(kTwoPi * turns), -std::cos(kTwoPi * turns)};
        const glm::vec2 side{-d.y * width, d.x * width};
        canvas.fillPolygon({c - d * 0.02F - side, c + d * length - side * 0.4F,
                            c + d * length + side * 0.4F, c - d * 0.02F + side},
                           colour);
    };
    hand(10.15F / 12.0F, 0.1F, 0.009F, Rgba::hex(0x2B2B2B));
    hand(0.17F, 0.15F, 0.006F, Rgba::hex(0x2B2B2B));
    hand(0.55F, 0.16F, 0.002F, kCoral);
    canvas.fillCircle(c, 0.01F, kCoral);
    return image;
}

PixelImage DecorArt::bookcase(PixelRows rows) {
    const Rgba carcass = Rgba::hex(0xEEEBE5);
    PixelImage image = blank(kBookcaseWidth, kBookcaseHeight, kPixels, carcass, rows);
    Canvas canvas(image, kPixels);
    constexpr float kSide = 0.04F;
    constexpr float kPlinth = 0.08F;
    constexpr float kBoard = 0.03F;
    constexpr int kShelves = 5;
    const float inner = (kBookcaseHeight - kSide - kPlinth - kBoard * (kShelves - 1)) / kShelves;
    for (int i = 0; i < kShelves; ++i) {
        const float y0 = kSide + static_cast<float>(i) * (inner + kBoard);
        const Box2 shelf{kSide, y0, kBookcaseWidth - kSide, y0 + inner};
        verticalGradient(canvas, shelf, Rgba::hex(0xB9B1A5), Rgba::hex(0xDCD5CA));
        shelfOfBooks(canvas, shelf, 51U + static_cast<std::uint32_t>(i));
        if (i % 2 == 1) {
            shelfOrnament(canvas, shelf);
        }
    }
    canvas.fillRect({0.0F, kBookcaseHeight - kPlinth, kBookcaseWidth, kBookcaseHeight},
                    carcass.shade(-0.12F));
    return image;
}

PixelImage DecorArt::sideboard(PixelRows rows) {
    const Rgba walnut = Rgba::hex(0x8A5A3B);
    PixelImage image = blank(kSideboardWidth, kSideboardHeight, kPixels, walnut, rows);
    Canvas canvas(image, kPixels);
    constexpr float kPlinth = 0.08F;
    constexpr int kDoors = 4;
    const float doorWidth = kSideboardWidth / kDoors;
    canvas.paint(canvas.bounds(), [&](glm::vec2 p) {
        const float groove = std::fmod(p.x, 0.035F) < 0.005F ? -0.12F : 0.0F;
        return walnut.shade(groove - 0.05F * Noise::smooth(p.x * 50.0F, p.y * 3.0F, 61U));
    });
    for (int i = 1; i < kDoors; ++i) {
        const float x = doorWidth * static_cast<float>(i);
        canvas.fillRect({x - 0.005F, 0.03F, x + 0.005F, kSideboardHeight - kPlinth},
                        walnut.shade(-0.5F));
    }
    for (int i = 0; i < kDoors; ++i) {
        const float x = doorWidth * (static_cast<float>(i) + (i % 2 == 0 ? 0.85F : 0.15F));
        canvas.fillCircle({x, 0.2F}, 0.018F, kBrass);
    }
    canvas.fillRect({0.0F, 0.0F, kSideboardWidth, 0.03F}, walnut.shade(0.12F));
    canvas.fillRect({0.0F, kSideboardHeight - kPlinth, kSideboardWidth, kSideboardHeight},
                    walnut.shade(-0.45F));
    return image;
}

PixelImage DecorArt::drawers(float width, float height, const Rgba& wood, int columns,
                             PixelRows rows) {
    PixelImage image = blank(width, height, kPixels, wood, rows);
    Canvas canvas(image, kPixels);
    constexpr float kPlinth = 0.07F;
    constexpr float kEdge = 0.03F;
    constexpr float kGap = 0.012F;
    const float drawerWidth = (width - 2.0F * kEdge) / static_cast<float>(columns);
    const float drawerHeight = (height - kPlinth - kEdge) / 2.0F;
    for (int column = 0; column < columns; ++column) {
        for (int row = 0; row < 2; ++row) {
            const float x = kEdge + drawerWidth * static_cast<float>(column);
            const float y = kEdge + drawerHeight * static_cast<float>(row);
            const Box2 drawer{x + kGap / 2.0F, y + kGap / 2.0F, x + drawerWidth - kGap / 2.0F,
                              y + drawerHeight - kGap / 2.0F};
            canvas.fillRect(drawer.inset(-kGap / 2.0F), wood.shade(-0.4F));
            canvas.fillRect(drawer, wood.shade(0.04F));
            canvas.fillRect({drawer.x0, drawer.y0, drawer.x1, drawer.y0 + 0.006F},
                            wood.shade(0.2F));
            const float middle = (drawer.x0 + drawer.x1) / 2.0F;
            const float handleY = drawer.y0 + drawer.height() * 0.35F;
            canvas.fillRect({middle - 0.08F, handleY - 0.008F, middle + 0.08F, handleY + 0.008F},
                            kBrass);
        }
    }
    canvas.fillRect({0.0F, height - kPlinth, width, height}, wood.shade(-0.45F));
    return image;
}

}  // namespace rovuzu
