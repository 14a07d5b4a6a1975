#pragma once

#include "platform/foundation/CGGeometry.hpp"
#include "platform/uikit/UIResponder.hpp"

namespace rovuzu {

// A rectangle on screen, in points: origin top-left, y down.
class UIView : public UIResponder {
  public:
    UIView() = default;
    explicit UIView(CGRect frame) : frame_(frame) {}

    [[nodiscard]] CGRect frame() const { return frame_; }
    virtual void setFrame(CGRect frame) { frame_ = frame; }
    // The view's own coordinate space: its size, at the origin.
    [[nodiscard]] CGRect bounds() const { return {{0.0, 0.0}, frame_.size}; }

  private:
    CGRect frame_{};
};

}  // namespace rovuzu
