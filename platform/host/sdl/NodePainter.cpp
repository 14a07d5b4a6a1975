#include "platform/host/sdl/NodePainter.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"

namespace rovuzu {

namespace {

// Text is rendered at its drawn size for crisp glyphs, up to this size; beyond it the glyphs
// are scaled up rather than rendered ever larger.
constexpr int kLargestTextPixels = 512;
// Rectangles reaching further than this many pixels are not drawn: nothing sensible lies
// there, and SDL's integer rectangles would overflow.
constexpr float kFarthestPixel = 1.0e9F;
// SDL 2.26's scaled blits lose their way past this many pixels a side (and crash at ten times
// as many), so larger pictures are cut to the view first.
constexpr float kLargestBlit = 4096.0F;

Uint8 toByte(double value) {
    return static_cast<Uint8>(
        std::lround(std::clamp(std::isfinite(value) ? value : 0.0, 0.0, 1.0) * 255.0));
}

// The base colour with the blend colour mixed in by `factor`: a factor of 0 leaves it as is.
UIColor blended(const UIColor& base, const UIColor& blend, double factor) {
    const double f = std::isfinite(factor) ? std::clamp(factor, 0.0, 1.0) : 0.0;
    return {base.red + (blend.red - base.red) * f, base.green + (blend.green - base.green) * f,
            base.blue + (blend.blue - base.blue) * f, base.alpha};
}

void modulate(SDL_Texture* texture, const UIColor& colour, double alpha) {
    SDL_SetTextureColorMod(texture, toByte(colour.red), toByte(colour.green), toByte(colour.blue));
    SDL_SetTextureAlphaMod(texture, toByte(alpha));
}

// The part of the texture's pixels that shows within `area` when the whole texture is drawn on
// `destination`, widened to whole pixels; the destination becomes the visible part.
std::optional<SDL_Rect> cropToArea(SDL_FRect& destination, int flip, int width, int height,
                                   const SDL_Rect& area) {
    const float x0 = std::max(destination.x, static_cast<float>(area.x));
    const float y0 = std::max(destination.y, static_cast<float>(area.y));
    const float x1 = std::min(destination.x + destination.w, static_cast<float>(area.x + area.w));
    const float y1 = std::min(destination.y + destination.h, static_cast<float>(area.y + area.h));
    if (x1 <= x0 || y1 <= y0) {
        return std::nullopt;
    }
    float u0 = (x0 - destination.x) / destination.w;
    float u1 = (x1 - destination.x) / destination.w;
    float v0 = (y0 - destination.y) / destination.h;
    float v1 = (y1 - destination.y) / destination.h;
    if ((flip & SDL_FLIP_HORIZONTAL) != 0) {
        std::tie(u0, u1) = std::pair{1.0F - u1, 1.0F - u0};
    }
    if ((flip & SDL_FLIP_VERTICAL) != 0) {
        std::tie(v0, v1) = std::pair{1.0F - v1, 1.0F - v0};
    }
    const auto first = [](float t, int size) {
        return std::clamp(static_cast<int>(std::floor(t * static_cast<float>(size))), 0, size - 1);
    };
    const auto last = [](float t, int size) {
        return std::clamp(static_cast<int>(std::ceil(t * static_cast<float>(size))), 1, size);
    };
    const int sx = first(u0, width);
    const int sy = first(v0, height);
    destination = {x0, y0, x1 - x0, y1 - y0};
    return SDL_Rect{sx, sy, std::max(last(u1, width) - sx, 1), std::max(last(v1, height) - sy, 1)};
}

bool isDrawable(const SDL_FRect& r) {
    return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.w) && std::isfinite(r.h) &&
           r.w > 0.0F && r.h > 0.0F && std::abs(r.x) < kFarthestPixel &&
           std::abs(r.y) < kFarthestPixel && r.w < kFarthestPixel && r.h < kFarthestPixel;
}

}  // namespace

NodePainter::NodePainter(SDL_Renderer* renderer, TextureCache& textures, TextCache& text)
    : renderer_(renderer), textures_(textures), text_(text) {}

void NodePainter::draw(const SKScene::DrawItem& item, const ScenePixels& scene) {
    if (!(item.alpha > 0.0)) {
        return;
    }
    if (const auto* sprite = dynamic_cast<const SKSpriteNode*>(item.node)) {
        drawSprite(*sprite, item, scene);
    } else if (const auto* label = dynamic_cast<const SKLabelNode*>(item.node)) {
        drawLabel(*label, item, scene);
    }
}

void NodePainter::drawSprite(const SKSpriteNode& sprite, const SKScene::DrawItem& item,
                             const ScenePixels& scene) {
    SDL_Texture* texture = sprite.texture() ? textures_.texture(*sprite.texture()) : nullptr;
    if (texture == nullptr) {
        return;
    }
    const CGSize size = sprite.size();
    const CGPoint anchor = sprite.anchorPoint();
    const SDL_FPoint a = scene.toPixels(
        item.toScene.apply(CGPoint{-anchor.x * size.width, -anchor.y * size.height}));
    const SDL_FPoint b = scene.toPixels(
        item.toScene.apply(CGPoint{(1.0 - anchor.x) * size.width, (1.0 - anchor.y) * size.height}));
    const SDL_FRect destination{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x),
                                std::abs(b.y - a.y)};
    if (!isDrawable(destination)) {
        return;
    }
    // The image's top edge is at b (larger scene y) unless the scale turned it over.
    const int flip = (b.x < a.x ? SDL_FLIP_HORIZONTAL : 0) | (b.y > a.y ? SDL_FLIP_VERTICAL : 0);
    const UIColor colour =
        blended(UIColor::whiteColor(), sprite.color(), sprite.colorBlendFactor());
    if (flip == 0 && destination.w <= kLargestBlit && destination.h <= kLargestBlit) {
        // The whole pixels SDL's software renderer would cover: it truncates each number.
        const SDL_Rect covered{static_cast<int>(destination.x), static_cast<int>(destination.y),
                               static_cast<int>(destination.w), static_cast<int>(destination.h)};
        if (SDL_Texture* stretched = textures_.stretched(*sprite.texture(), covered.w, covered.h)) {
            modulate(stretched, colour, item.alpha);
            SDL_RenderCopy(renderer_, stretched, nullptr, &covered);
            return;
        }
    }
    modulate(texture, colour, item.alpha);
    blit(texture, destination, flip, scene.area);
}

void NodePainter::drawLabel(const SKLabelNode& label, const SKScene::DrawItem& item,
                            const ScenePixels& scene) {
    const double pixelsX = std::abs(item.toScene.sx * scene.scaleX) * label.fontSize();
    const double pixelsY = std::abs(item.toScene.sy * scene.scaleY) * label.fontSize();
    if (!(pixelsY >= 1.0 && pixelsX >= 1.0 && pixelsY < kFarthestPixel &&
          pixelsX < kFarthestPixel)) {
        return;
    }
    const int renderSize = std::min(static_cast<int>(std::lround(pixelsY)), kLargestTextPixels);
    const TextCache::Line* line = text_.line(label.fontName(), renderSize, label.text());
    if (line == nullptr) {
        return;
    }
    const double kx = pixelsX / renderSize;
    const double ky = pixelsY / renderSize;
    const double width = line->width * kx;
    const SDL_FPoint baseline = scene.toPixels(item.toScene.apply(CGPoint{0.0, 0.0}));
    double left = baseline.x - width / 2.0;
    if (label.horizontalAlignmentMode() == SKLabelHorizontalAlignmentMode::left) {
        left = baseline.x;
    } else if (label.horizontalAlignmentMode() == SKLabelHorizontalAlignmentMode::right) {
        left = baseline.x - width;
    }
    // Whole pixels keep unscaled glyphs exactly as the font rendered them.
    const SDL_FRect destination{static_cast<float>(std::round(left)),
                                static_cast<float>(std::round(baseline.y - line->ascent * ky)),
                                static_cast<float>(width), static_cast<float>(line->height * ky)};
    if (!isDrawable(destination)) {
        return;
    }
    const UIColor colour = blended(label.fontColor(), label.color(), label.colorBlendFactor());
    modulate(line->texture.get(), colour, item.alpha * colour.alpha);
    blit(line->texture.get(), destination, 0, scene.area);
}

void NodePainter::blit(SDL_Texture* texture, const SDL_FRect& destination, int flip,
                       const SDL_Rect& area) {
    const auto turn = static_cast<SDL_RendererFlip>(flip);
    if (destination.w <= kLargestBlit && destination.h <= kLargestBlit) {
        SDL_RenderCopyExF(renderer_, texture, nullptr, &destination, 0.0, nullptr, turn);
        return;
    }
    int width = 0;
    int height = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
    SDL_FRect visible = destination;
    if (const auto source = cropToArea(visible, flip, width, height, area)) {
        SDL_RenderCopyExF(renderer_, texture, &*source, &visible, 0.0, nullptr, turn);
    }
}

}  // namespace rovuzu
