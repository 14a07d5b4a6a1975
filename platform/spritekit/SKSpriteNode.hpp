#pragma once

#include <memory>
#include <string_view>

#include "platform/spritekit/SKNode.hpp"
#include "platform/spritekit/SKTexture.hpp"
#include "platform/uikit/UIColor.hpp"

namespace rovuzu {

// A picture, centred on its position by default, at its image's size.
class SKSpriteNode : public SKNode {
  public:
    explicit SKSpriteNode(std::string_view imageNamed);
    explicit SKSpriteNode(std::shared_ptr<SKTexture> texture);

    [[nodiscard]] const std::shared_ptr<SKTexture>& texture() const { return texture_; }
    [[nodiscard]] CGSize size() const { return size_; }
    void setSize(CGSize size) { size_ = size; }
    [[nodiscard]] CGPoint anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(CGPoint anchorPoint) { anchorPoint_ = anchorPoint; }
    [[nodiscard]] UIColor color() const { return color_; }
    void setColor(UIColor color) { color_ = color; }
    [[nodiscard]] double colorBlendFactor() const { return colorBlendFactor_; }
    void setColorBlendFactor(double factor) { colorBlendFactor_ = factor; }

  protected:
    [[nodiscard]] CGRect contentRect() const override;

  private:
    std::shared_ptr<SKTexture> texture_;
    CGSize size_;
    CGPoint anchorPoint_{0.5, 0.5};
    UIColor color_ = UIColor::whiteColor();
    double colorBlendFactor_ = 0.0;
};

}  // namespace rovuzu
