#include "platform/spritekit/SKLabelNode.hpp"

#include <algorithm>

namespace rovuzu {

std::shared_ptr<SKLabelNode> SKLabelNode::labelNodeWithText(std::string text) {
    auto label = std::make_shared<SKLabelNode>();
    label->setText(std::move(text));
    return label;
}

CGRect SKLabelNode::contentRect() const {
    // Average advance of a sans face, and ascent and descent as fractions of the size.
    constexpr double kAdvance = 0.55;
    constexpr double kAscent = 0.75;
    constexpr double kDescent = 0.25;
    const auto glyphs = std::count_if(text_.begin(), text_.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;  // UTF-8 lead bytes only
    });
    const double width = static_cast<double>(glyphs) * fontSize_ * kAdvance;
    double left = -width / 2.0;
    if (horizontalAlignment_ == SKLabelHorizontalAlignmentMode::left) {
        left = 0.0;
    } else if (horizontalAlignment_ == SKLabelHorizontalAlignmentMode::right) {
        left = -width;
    }
    return {{left, -fontSize_ * kDescent}, {width, fontSize_ * (kAscent + kDescent)}};
}

}  // namespace rovuzu
