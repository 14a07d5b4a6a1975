#pragma once

#include <memory>

namespace rovuzu {

// Base of the objects the application framework calls back: views, controllers, the delegate.
// They live in shared ownership, so one of them can hand out a weak reference to itself.
class UIResponder : public std::enable_shared_from_this<UIResponder> {
  public:
    UIResponder() = default;
    UIResponder(const UIResponder&) = delete;
    UIResponder& operator=(const UIResponder&) = delete;
    virtual ~UIResponder() = default;

    // A weak reference to this object as its own class.
    template <class T>
    std::weak_ptr<T> weakSelf() {
        return std::dynamic_pointer_cast<T>(shared_from_this());
    }
};

}  // namespace rovuzu
