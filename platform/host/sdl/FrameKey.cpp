#include "platform/host/sdl/FrameKey.hpp"

#include "platform/host/sdl/Readouts.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

FrameKey::FrameKey(const SKView& view, double pixelsPerPoint, const Picture& picture,
                   std::string notice)
    : frame_(view.frame()),
      pixelsPerPoint_(pixelsPerPoint),
      picture_(picture),
      readouts_(Readouts::text(view)),
      notice_(std::move(notice)) {
    const auto& scene = view.scene();
    if (!scene) {
        return;
    }
    hasScene_ = true;
    sceneSize_ = scene->size();
    sceneAnchor_ = scene->anchorPoint();
    for (const SKScene::DrawItem& drawn : scene->nodesInDrawOrder()) {
        Item item = describe(*drawn.node);
        item.tx = drawn.toScene.tx;
        item.ty = drawn.toScene.ty;
        item.sx = drawn.toScene.sx;
        item.sy = drawn.toScene.sy;
        item.alpha = drawn.alpha;
        items_.push_back(std::move(item));
    }
}

// What NodePainter reads of a node besides where it lands and how transparent it is.
FrameKey::Item FrameKey::describe(const SKNode& node) {
    Item item;
    if (const auto* sprite = dynamic_cast<const SKSpriteNode*>(&node)) {
        item.texture = sprite->texture();
        item.size = sprite->size();
        item.anchorPoint = sprite->anchorPoint();
        item.color = sprite->color();
        item.colorBlendFactor = sprite->colorBlendFactor();
    } else if (const auto* label = dynamic_cast<const SKLabelNode*>(&node)) {
        item.text = label->text();
        item.fontName = label->fontName();
        item.fontSize = label->fontSize();
        item.fontColor = label->fontColor();
        item.alignment = static_cast<int>(label->horizontalAlignmentMode());
        item.color = label->color();
        item.colorBlendFactor = label->colorBlendFactor();
    }
    return item;
}

}  // namespace rovuzu
