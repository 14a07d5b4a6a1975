#include "GameOverArt.hpp"

#include <SDL_ttf.h>

#include <algorithm>
#include <array>
#include <glm/common.hpp>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

#include "Shapes.hpp"

namespace rovuzu {

namespace {

using namespace shapes;
using FontPtr = std::unique_ptr<TTF_Font, decltype(&TTF_CloseFont)>;
using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

constexpr const char* kTitle = "FIN DEL JUEGO";
constexpr int kTitleWidth = 500;
constexpr int kTitleOutline = 5;
constexpr glm::vec2 kPanelCentre(300.0f, 210.0f);
constexpr glm::vec2 kPanelHalfSize(280.0f, 136.0f);
constexpr int kTitleMiddle = 208;
constexpr float kDividerY = 286.0f;
const Colour kInk = hexColour(0x150d2e);
const Colour kGold = hexColour(0xffcf3f);

FontPtr openFont(const std::filesystem::path& file, int pointSize) {
    FontPtr font(TTF_OpenFont(file.c_str(), pointSize), &TTF_CloseFont);
    if (!font) {
        throw std::runtime_error("TTF_OpenFont " + file.string() + ": " + TTF_GetError());
    }
    return font;
}

// Picks the point size at which the title spans kTitleWidth pixels.
int titlePointSize(const std::filesystem::path& file) {
    constexpr int kProbeSize = 100;
    const FontPtr font = openFont(file, kProbeSize);
    int width = 0;
    TTF_SizeUTF8(font.get(), kTitle, &width, nullptr);
    return kProbeSize * kTitleWidth / std::max(width, 1);
}

AlphaMask renderText(TTF_Font* font, int outline) {
    TTF_SetFontOutline(font, outline);
    SurfacePtr rendered(TTF_RenderUTF8_Blended(font, kTitle, SDL_Color{255, 255, 255, 255}),
                        &SDL_FreeSurface);
    if (!rendered) {
        throw std::runtime_error(std::string("TTF_RenderUTF8_Blended: ") + TTF_GetError());
    }
    SurfacePtr argb(SDL_ConvertSurfaceFormat(rendered.get(), SDL_PIXELFORMAT_ARGB8888, 0),
                    &SDL_FreeSurface);
    AlphaMask mask{argb->w, argb->h, {}};
    mask.alpha.reserve(static_cast<std::size_t>(mask.width) *
                       static_cast<std::size_t>(mask.height));
    for (int y = 0; y < mask.height; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(argb->pixels) + static_cast<std::ptrdiff_t>(y) * argb->pitch);
        for (int x = 0; x < mask.width; ++x) {
            mask.alpha.push_back(static_cast<float>(row[x] >> 24) / 255.0f);
        }
    }
    return mask;
}

// Rows from the top of the glyph ink to its bottom; the rendered surface also holds empty
// room for accents and descenders, which would put capitals off centre.
std::pair<int, int> inkRows(const AlphaMask& mask) {
    int first = mask.height;
    int last = 0;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.at(x, y) > 0.0f) {
                first = std::min(first, y);
                last = std::max(last, y);
            }
        }
    }
    return {first, last};
}

Paint verticalGradient(Colour top, Colour bottom, float y0, float y1) {
    return [=](glm::vec2 p) {
        return glm::mix(top, bottom, std::clamp((p.y - y0) / (y1 - y0), 0.0f, 1.0f));
    };
}

}  // namespace

Canvas GameOverArt::render(const std::filesystem::path& fontFile) {
    Canvas canvas(kWidth, kHeight);
    panel(canvas);
    stars(canvas);
    title(canvas, fontFile);
    divider(canvas);
    return canvas;
}

// Semi-opaque so the camera picture still shows through, framed by an opaque ink and gold
// rim that is painted over the body's edge, leaving no seam between them.
void GameOverArt::panel(Canvas& canvas) {
    const Field shape = roundedBox(kPanelCentre, kPanelHalfSize, 40.0f);
    const float top = kPanelCentre.y - kPanelHalfSize.y;
    const float bottom = kPanelCentre.y + kPanelHalfSize.y;
    canvas.fill(moved(shape, {0.0f, 6.0f}), hexColour(0x000000, 0.40f), 14.0f);
    canvas.fill(grown(shape, -11.0f), verticalGradient(hexColour(0x4a2f9a, 0.86f),
                                                       hexColour(0x1e1450, 0.86f), top, bottom));
    canvas.fill(subtract(shape, grown(shape, -13.0f)), kInk);
    canvas.fill(outline(grown(shape, -8.0f), 3.0f), kGold);
}

void GameOverArt::stars(Canvas& canvas) {
    const float top = kPanelCentre.y - kPanelHalfSize.y;
    struct Star {
        glm::vec2 centre;
        float radius;
    };
    const std::array<Star, 3> row{{{{196.0f, top + 8.0f}, 40.0f},
                                   {{300.0f, top - 6.0f}, 56.0f},
                                   {{404.0f, top + 8.0f}, 40.0f}}};
    for (const Star& s : row) {
        const Field shape = star(s.centre, s.radius, 5, 2.6f, 4.0f, 0.0f);
        canvas.fill(moved(shape, {0.0f, 4.0f}), hexColour(0x000000, 0.4f), 8.0f);
        canvas.fill(shape, kInk);
        canvas.fill(grown(shape, -5.0f),
                    verticalGradient(hexColour(0xfff3a6), hexColour(0xffb21f),
                                     s.centre.y - s.radius, s.centre.y + s.radius));
    }
}

void GameOverArt::title(Canvas& canvas, const std::filesystem::path& fontFile) {
    const FontPtr font = openFont(fontFile, titlePointSize(fontFile));
    const AlphaMask fillMask = renderText(font.get(), 0);
    const AlphaMask outlineMask = renderText(font.get(), kTitleOutline);
    const auto [firstRow, lastRow] = inkRows(fillMask);
    const glm::ivec2 at(kWidth / 2 - fillMask.width / 2, kTitleMiddle - (firstRow + lastRow) / 2);
    const glm::ivec2 outlineAt = at - kTitleOutline;
    const auto y0 = static_cast<float>(at.y + firstRow);
    const auto y1 = static_cast<float>(at.y + lastRow);
    canvas.fillMask(outlineMask, outlineAt + glm::ivec2(0, 6),
                    [](glm::vec2) { return hexColour(0x000000, 0.45f); });
    canvas.fillMask(outlineMask, outlineAt, [](glm::vec2) { return kInk; });
    canvas.fillMask(
        fillMask, at,
        verticalGradient(hexColour(0xffffff), hexColour(0xffd24a), y0 + 0.2f * (y1 - y0), y1));
}

// A gold rule with one dot in each target's colour, tying the badge to the game.
void GameOverArt::divider(Canvas& canvas) {
    const Field rule = unite(capsule({110.0f, kDividerY}, {230.0f, kDividerY}, 2.5f),
                             capsule({370.0f, kDividerY}, {490.0f, kDividerY}, 2.5f));
    canvas.fill(grown(rule, 2.5f), kInk);
    canvas.fill(rule, kGold);
    constexpr std::array<unsigned, 4> colours{0xe5303c, 0x62e070, 0x2f6ce0, 0xff8a1c};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const Field dot = circle({255.0f + 30.0f * static_cast<float>(i), kDividerY}, 10.0f);
        canvas.fill(dot, kInk);
        canvas.fill(grown(dot, -3.5f), hexColour(colours[i]));
    }
}

}  // namespace rovuzu
