#include "platform/spritekit/SKSpriteNode.hpp"

#include <utility>

namespace rovuzu {

SKSpriteNode::SKSpriteNode(std::string_view imageNamed)
    : SKSpriteNode(SKTexture::textureWithImageNamed(imageNamed)) {}

SKSpriteNode::SKSpriteNode(std::shared_ptr<SKTexture> texture)
    : texture_(std::move(texture)), size_(texture_->size()) {}

CGRect SKSpriteNode::contentRect() const {
    return {{-anchorPoint_.x * size_.width, -anchorPoint_.y * size_.height}, size_};
}

}  // namespace rovuzu
