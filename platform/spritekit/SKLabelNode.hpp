#pragma once

#include <memory>
#include <string>

#include "platform/spritekit/SKNode.hpp"
#include "platform/uikit/UIColor.hpp"

namespace rovuzu {

enum class SKLabelHorizontalAlignmentMode { center, left, right };

// A line of text. The position is on the baseline; by default the text is centred on it.
// `color` is a blend colour: with the default blend factor of 0 it does not change what is
// drawn, which is the text in `fontColor`.
class SKLabelNode : public SKNode {
  public:
    static constexpr const char* kDefaultFontName = "HelveticaNeue-UltraLight";
    static constexpr double kDefaultFontSize = 32.0;

    SKLabelNode() = default;
    static std::shared_ptr<SKLabelNode> labelNodeWithText(std::string text);

    [[nodiscard]] const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    [[nodiscard]] const std::string& fontName() const { return fontName_; }
    void setFontName(std::string name) { fontName_ = std::move(name); }
    [[nodiscard]] double fontSize() const { return fontSize_; }
    void setFontSize(double size) { fontSize_ = size; }
    [[nodiscard]] UIColor fontColor() const { return fontColor_; }
    void setFontColor(UIColor color) { fontColor_ = color; }
    [[nodiscard]] UIColor color() const { return color_; }
    void setColor(UIColor color) { color_ = color; }
    [[nodiscard]] double colorBlendFactor() const { return colorBlendFactor_; }
    void setColorBlendFactor(double factor) { colorBlendFactor_ = factor; }
    [[nodiscard]] SKLabelHorizontalAlignmentMode horizontalAlignmentMode() const {
        return horizontalAlignment_;
    }
    void setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode mode) {
        horizontalAlignment_ = mode;
    }

  protected:
    // An estimate from the font size, for hit tests; the renderer measures the real glyphs.
    [[nodiscard]] CGRect contentRect() const override;

  private:
    std::string text_;
    std::string fontName_ = kDefaultFontName;
    double fontSize_ = kDefaultFontSize;
    UIColor fontColor_ = UIColor::whiteColor();
    UIColor color_ = UIColor::whiteColor();
    double colorBlendFactor_ = 0.0;
    SKLabelHorizontalAlignmentMode horizontalAlignment_ = SKLabelHorizontalAlignmentMode::center;
};

}  // namespace rovuzu
