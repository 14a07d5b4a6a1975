#pragma once

#include "platform/host/sdl/TextCache.hpp"
#include "platform/host/sdl/TextureCache.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

class SKLabelNode;
class SKSpriteNode;

// Draws the scene's sprites and labels, one draw item at a time, into the render target.
class NodePainter {
  public:
    // Where scene units land in the target: x grows right, y grows up in the scene and down in
    // pixels.
    struct ScenePixels {
        double originX = 0.0;
        double originY = 0.0;
        double scaleX = 1.0;  // pixels per scene unit
        double scaleY = 1.0;
        SDL_Rect area{};  // the view's pixels

        [[nodiscard]] SDL_FPoint toPixels(CGPoint p) const {
            return {static_cast<float>(originX + p.x * scaleX),
                    static_cast<float>(originY - p.y * scaleY)};
        }
    };

    NodePainter(SDL_Renderer* renderer, TextureCache& textures, TextCache& text);

    // Draws the item when it is a sprite or a label; other nodes draw nothing.
    void draw(const SKScene::DrawItem& item, const ScenePixels& scene);

  private:
    void drawSprite(const SKSpriteNode& sprite, const SKScene::DrawItem& item,
                    const ScenePixels& scene);
    void drawLabel(const SKLabelNode& label, const SKScene::DrawItem& item,
                   const ScenePixels& scene);
    // Copies the whole texture onto `destination`, turned over as `flip` says.
    void blit(SDL_Texture* texture, const SDL_FRect& destination, int flip, const SDL_Rect& area);

    SDL_Renderer* renderer_;
    TextureCache& textures_;
    TextCache& text_;
};

}  // namespace rovuzu
