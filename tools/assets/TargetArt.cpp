#include "TargetArt.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <glm/common.hpp>
#include <glm/vec3.hpp>
#include <numbers>
#include <stdexcept>

#include "Shapes.hpp"

namespace rovuzu {

namespace {

using namespace shapes;

constexpr float kPi = std::numbers::pi_v<float>;
// Design units: targets are authored around (0, 0) and reach out to about 110.
constexpr float kRadius = 108.0f;
constexpr float kOutlineWidth = 6.0f;
constexpr float kRimWidth = 7.0f;
constexpr float kEdgeWidth = 2.5f;

// Lit from above: a little lighter at the top, darker towards the bottom.
Paint shaded(Colour base) {
    return [base](glm::vec2 p) {
        const float t = std::clamp(p.y / kRadius, -1.0f, 1.0f);
        const glm::vec3 lit = glm::vec3(base) * (1.0f - 0.16f * t) + glm::vec3(0.06f * -t);
        return Colour(glm::clamp(lit, 0.0f, 1.0f), base.a);
    };
}

}  // namespace

Canvas TargetArt::target(int design) {
    Canvas canvas(kTargetSize, kTargetSize);
    canvas.setView(glm::vec2(kTargetSize / 2.0f), 1.0f);
    TargetArt(canvas).draw(design);
    return canvas;
}

// The icon is authored on a 256-unit tile and scaled to the size asked for.
Canvas TargetArt::icon(int size) {
    Canvas canvas(size, size);
    const auto side = static_cast<float>(size);
    const float scale = side / kIconSize;
    canvas.setView(glm::vec2(side / 2.0f), scale);
    const Field tile = roundedBox({0.0f, 0.0f}, {122.0f, 122.0f}, 54.0f);
    canvas.fill(tile, hexColour(0x121a33));
    canvas.fill(grown(tile, -4.0f), tileGradient());
    canvas.setView(glm::vec2(side / 2.0f), 0.9f * scale);
    TargetArt(canvas).draw(0);
    return canvas;
}

Canvas TargetArt::maskableIcon(int size) {
    Canvas canvas(size, size);
    const auto side = static_cast<float>(size);
    canvas.setView(glm::vec2(side / 2.0f), side / kIconSize);
    canvas.fill(roundedBox({0.0f, 0.0f}, glm::vec2(kIconSize), 0.0f), tileGradient());
    // The safe circle's radius is 40 % of the side; the badge and its shadow reach about
    // kRadius + 12 units from the centre.
    canvas.setView(glm::vec2(side / 2.0f), 0.4f * side / (kRadius + 12.0f));
    TargetArt(canvas).draw(0);
    return canvas;
}

Paint TargetArt::tileGradient() {
    return [](glm::vec2 p) {
        const float t = std::clamp(p.y / 120.0f * 0.5f + 0.5f, 0.0f, 1.0f);
        return glm::mix(hexColour(0x3f6fd8), hexColour(0x1d2c66), t);
    };
}

void TargetArt::draw(int design) {
    switch (design) {
        case 0:
            return bullseye();
        case 1:
            return crosshair();
        case 2:
            return hexagons();
        case 3:
            return starburst();
        default:
            throw std::out_of_range("no such target design");
    }
}

void TargetArt::bullseye() {
    const Field body =
        badge(circle({0.0f, 0.0f}, kRadius), hexColour(0x2a0d14), hexColour(0xfff6ea));
    const Colour red = hexColour(0xe5303c);
    const Colour white = hexColour(0xfff6ea);
    constexpr std::array<float, 5> radii{94.0f, 77.0f, 60.0f, 43.0f, 26.0f};
    for (std::size_t i = 0; i < radii.size(); ++i) {
        layer(circle({0.0f, 0.0f}, radii[i]), i % 2 == 0 ? red : white);
    }
    canvas_.fill(circle({-7.0f, -8.0f}, 7.0f), hexColour(0xffffff, 0.55f));
    gloss(body);
}

void TargetArt::crosshair() {
    const Colour ink = hexColour(0x0b2a17);
    const Field body = badge(circle({0.0f, 0.0f}, kRadius), ink, hexColour(0xe8fff0));
    layer(circle({0.0f, 0.0f}, 94.0f), hexColour(0x1f7a40));
    layer(outline(circle({0.0f, 0.0f}, 72.0f), 11.0f), hexColour(0x62e070));
    layer(circle({0.0f, 0.0f}, 46.0f), hexColour(0xe3fbe8));
    layer(outline(circle({0.0f, 0.0f}, 30.0f), 3.0f), hexColour(0x1f7a40));
    for (int arm = 0; arm < 4; ++arm) {
        const float angle = static_cast<float>(arm) * kPi / 2.0f;
        const glm::vec2 dir(std::cos(angle), std::sin(angle));
        layer(capsule(dir * 16.0f, dir * 98.0f, 4.0f), ink);
    }
    layer(circle({0.0f, 0.0f}, 8.0f), hexColour(0xff4d3a));
    gloss(body);
}

void TargetArt::hexagons() {
    const Colour blue = hexColour(0x2f6ce0);
    const Colour yellow = hexColour(0xffcb2b);
    const float pointyTop = kPi / 6.0f;
    const Field body = badge(hexagon({0.0f, 0.0f}, 97.0f, 16.0f, pointyTop), hexColour(0x0a1838),
                             hexColour(0xfff4c4));
    constexpr std::array<float, 4> inradii{84.0f, 66.0f, 48.0f, 30.0f};
    for (std::size_t i = 0; i < inradii.size(); ++i) {
        layer(hexagon({0.0f, 0.0f}, inradii[i], 12.0f - 2.0f * static_cast<float>(i), pointyTop),
              i % 2 == 0 ? blue : yellow);
    }
    layer(circle({0.0f, 0.0f}, 12.0f), blue);
    gloss(body);
}

void TargetArt::starburst() {
    const Colour purple = hexColour(0x8a38d4);
    const Colour orange = hexColour(0xff8a1c);
    const Field body = badge(star({0.0f, 0.0f}, 112.0f, 12, 4.0f, 5.0f, 0.0f), hexColour(0x230833),
                             hexColour(0xffe3bf));
    layer(star({0.0f, 0.0f}, 99.0f, 12, 4.0f, 3.0f, 0.0f), purple);
    layer(circle({0.0f, 0.0f}, 62.0f), orange);
    layer(circle({0.0f, 0.0f}, 45.0f), purple);
    layer(star({0.0f, 0.0f}, 34.0f, 5, 3.0f, 3.0f, 0.0f), orange);
    gloss(body);
}

Field TargetArt::badge(const Field& silhouette, Colour outline, Colour rim) {
    canvas_.fill(moved(silhouette, {0.0f, 5.0f}), hexColour(0x000000, 0.45f), 10.0f);
    canvas_.fill(silhouette, outline);
    const Field inside = grown(silhouette, -kOutlineWidth);
    canvas_.fill(inside, shaded(rim));
    return grown(inside, -kRimWidth);
}

// Each layer gets a thin darker edge, like printed ink, so neighbouring rings stay apart.
void TargetArt::layer(const Field& shape, Colour colour) {
    canvas_.fill(shape, shaded(Colour(glm::vec3(colour) * 0.72f, colour.a)));
    canvas_.fill(grown(shape, -kEdgeWidth), shaded(colour));
}

// A soft highlight across the upper part gives the flat shapes a glossy, toy-like finish.
void TargetArt::gloss(const Field& body) {
    canvas_.fill(subtract(body, circle({0.0f, 70.0f}, 160.0f)), [](glm::vec2 p) {
        const float t = std::clamp((p.y + kRadius) / (kRadius * 0.9f), 0.0f, 1.0f);
        return hexColour(0xffffff, 0.30f * (1.0f - t));
    });
}

}  // namespace rovuzu
