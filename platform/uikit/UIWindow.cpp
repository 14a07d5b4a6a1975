#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

void UIWindow::setRootViewController(std::shared_ptr<UIViewController> controller) {
    root_ = std::move(controller);
    if (root_ && root_->view()) {
        root_->view()->setFrame(bounds());
    }
}

void UIWindow::makeKeyAndVisible() {
    if (visible_ || !root_) {
        return;
    }
    visible_ = true;
    root_->loadViewIfNeeded();
    root_->viewWillAppear(false);
}

void UIWindow::hide() {
    if (!visible_ || !root_) {
        return;
    }
    visible_ = false;
    root_->viewWillDisappear(false);
}

void UIWindow::setFrame(CGRect frame) {
    UIView::setFrame(frame);
    if (root_ && root_->view()) {
        root_->view()->setFrame(bounds());
    }
}

}  // namespace rovuzu
