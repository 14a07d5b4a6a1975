#pragma once

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

class SKNode;
class UIView;

// One finger (or click) that began on a view.
class UITouch {
  public:
    UITouch(CGPoint locationInView, const UIView* view) : location_(locationInView), view_(view) {}

    [[nodiscard]] CGPoint locationInView() const { return location_; }
    [[nodiscard]] const UIView* view() const { return view_; }
    // The touch in the coordinates of a node of the scene the view presents.
    [[nodiscard]] CGPoint locationInNode(const SKNode& node) const;

  private:
    CGPoint location_;
    const UIView* view_;
};

}  // namespace rovuzu
