#include "platform/uikit/UITouch.hpp"

#include "platform/spritekit/SKNode.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

CGPoint UITouch::locationInNode(const SKNode& node) const {
    const SKScene* scene = node.scene();
    if (scene == nullptr) {
        return location_;
    }
    return node.convertPointFromScene(scene->convertPointFromView(location_));
}

}  // namespace rovuzu
