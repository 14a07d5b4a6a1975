#include "platform/host/sdl/ItemPainter.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>
#include <utility>

namespace rovuzu {

namespace {

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

void modulate(SDL_Texture* texture, const UIColor& tint) {
    SDL_SetTextureColorMod(texture, toByte(tint.red), toByte(tint.green), toByte(tint.blue));
    SDL_SetTextureAlphaMod(texture, toByte(tint.alpha));
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

ItemPainter::ItemPainter(SdlTextureMaker& maker, TextureCache& textures, TextLines& text)
    : maker_(maker), textures_(textures), text_(text) {}

void ItemPainter::draw(const Frame::Item& item, const SDL_Rect& area) {
    if (const auto* sprite = std::get_if<Frame::Sprite>(&item)) {
        drawSprite(*sprite, area);
    } else {
        drawText(std::get<Frame::Text>(item), area);
    }
}

void ItemPainter::drawSprite(const Frame::Sprite& sprite, const SDL_Rect& area) {
    SDL_Texture* texture = textures_.texture(*sprite.texture);
    if (texture == nullptr) {
        return;
    }
    const SDL_FRect destination{sprite.box.x, sprite.box.y, sprite.box.width, sprite.box.height};
    const int flip =
        (sprite.flipX ? SDL_FLIP_HORIZONTAL : 0) | (sprite.flipY ? SDL_FLIP_VERTICAL : 0);
    if (flip == 0 && destination.w <= kLargestBlit && destination.h <= kLargestBlit) {
        // The whole pixels SDL's software renderer would cover: it truncates each number.
        const SDL_Rect covered{static_cast<int>(destination.x), static_cast<int>(destination.y),
                               static_cast<int>(destination.w), static_cast<int>(destination.h)};
        if (SDL_Texture* stretched = textures_.stretched(*sprite.texture, covered.w, covered.h)) {
            modulate(stretched, sprite.tint);
            SDL_RenderCopy(maker_.renderer(), stretched, nullptr, &covered);
            return;
        }
    }
    modulate(texture, sprite.tint);
    blit(texture, destination, flip, area);
}

void ItemPainter::drawText(const Frame::Text& text, const SDL_Rect& area) {
    const auto placed = text_.place(text);
    if (!placed) {
        return;
    }
    const PixelBox& box = placed->box;
    const SDL_FRect destination{box.x, box.y, box.width, box.height};
    if (!isDrawable(destination)) {
        return;
    }
    SDL_Texture* texture = SdlTextureMaker::texture(placed->texture);
    modulate(texture, text.tint);
    blit(texture, destination, 0, area);
}

void ItemPainter::blit(SDL_Texture* texture, const SDL_FRect& destination, int flip,
                       const SDL_Rect& area) {
    const auto turn = static_cast<SDL_RendererFlip>(flip);
    if (destination.w <= kLargestBlit && destination.h <= kLargestBlit) {
        SDL_RenderCopyExF(maker_.renderer(), texture, nullptr, &destination, 0.0, nullptr, turn);
        return;
    }
    int width = 0;
    int height = 0;
    SDL_QueryTexture(texture, nullptr, nullptr, &width, &height);
    SDL_FRect visible = destination;
    if (const auto source = cropToArea(visible, flip, width, height, area)) {
        SDL_RenderCopyExF(maker_.renderer(), texture, &*source, &visible, 0.0, nullptr, turn);
    }
}

}  // namespace rovuzu
