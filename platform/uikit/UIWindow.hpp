#pragma once

#include <memory>

#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace rovuzu {

// The application's one window. Its root controller's view fills it; showing and hiding the
// window is what makes that view appear and disappear.
class UIWindow : public UIView {
  public:
    using UIView::UIView;

    [[nodiscard]] const std::shared_ptr<UIViewController>& rootViewController() const {
        return root_;
    }
    void setRootViewController(std::shared_ptr<UIViewController> controller);

    // Shows the window: the root view loads (the first time) and appears.
    void makeKeyAndVisible();
    // Hides the window: the root view disappears.
    void hide();
    [[nodiscard]] bool isVisible() const { return visible_; }

    void setFrame(CGRect frame) override;

  private:
    std::shared_ptr<UIViewController> root_;
    bool visible_ = false;
};

}  // namespace rovuzu
