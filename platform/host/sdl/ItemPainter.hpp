#pragma once

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/TextLines.hpp"
#include "platform/host/sdl/SdlTextureMaker.hpp"
#include "platform/host/sdl/TextureCache.hpp"

namespace rovuzu {

// Paints a frame's sprites and lines of text, one item at a time, into the render target.
class ItemPainter {
  public:
    ItemPainter(SdlTextureMaker& maker, TextureCache& textures, TextLines& text);

    // Paints the item; `area` is the view's pixels.
    void draw(const Frame::Item& item, const SDL_Rect& area);

  private:
    void drawSprite(const Frame::Sprite& sprite, const SDL_Rect& area);
    void drawText(const Frame::Text& text, const SDL_Rect& area);
    // Copies the whole texture onto `destination`, turned over as `flip` says.
    void blit(SDL_Texture* texture, const SDL_FRect& destination, int flip, const SDL_Rect& area);

    SdlTextureMaker& maker_;
    TextureCache& textures_;
    TextLines& text_;
};

}  // namespace rovuzu
