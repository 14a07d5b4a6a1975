#include "platform/uikit/UIViewController.hpp"

#include "platform/foundation/NSCoder.hpp"

namespace rovuzu {

UIViewController::UIViewController(std::optional<std::string> nibName, const NSBundle* /*bundle*/)
    : nibName_(std::move(nibName)) {}

UIViewController::UIViewController(const NSCoder& /*coder*/) {}

void UIViewController::loadViewIfNeeded() {
    if (!viewLoaded_) {
        viewLoaded_ = true;
        viewDidLoad();
    }
}

}  // namespace rovuzu
