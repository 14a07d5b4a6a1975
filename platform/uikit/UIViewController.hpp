#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/uikit/UIResponder.hpp"
#include "platform/uikit/UIView.hpp"

namespace rovuzu {

class NSBundle;
class NSCoder;

// One screen. Its view is made by the interface file that created the controller; the window
// loads it and drives the appearance hooks.
class UIViewController : public UIResponder {
  public:
    // The platform's initWithNibName:bundle:.
    explicit UIViewController(std::optional<std::string> nibName = std::nullopt,
                              const NSBundle* bundle = nullptr);
    // The platform's initWithCoder:, which the interface loader uses.
    explicit UIViewController(const NSCoder& coder);

    [[nodiscard]] const std::shared_ptr<UIView>& view() const { return view_; }
    void setView(std::shared_ptr<UIView> view) { view_ = std::move(view); }
    [[nodiscard]] const std::optional<std::string>& nibName() const { return nibName_; }
    [[nodiscard]] bool isViewLoaded() const { return viewLoaded_; }
    // Runs viewDidLoad the first time only.
    void loadViewIfNeeded();

    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool /*animated*/) {}
    virtual void viewWillDisappear(bool /*animated*/) {}
    virtual void didReceiveMemoryWarning() {}

    // Connects a view from the interface file to the outlet of that name; false when the
    // controller has no such outlet or the view is of the wrong class.
    virtual bool connectOutlet(std::string_view /*name*/, const std::shared_ptr<UIView>& /*view*/) {
        return false;
    }
    // An outlet the controller cannot work without that is still unconnected, if any; the
    // interface loader refuses a file that leaves one so.
    [[nodiscard]] virtual std::optional<std::string> missingOutlet() const { return std::nullopt; }

  private:
    std::shared_ptr<UIView> view_;
    std::optional<std::string> nibName_;
    bool viewLoaded_ = false;
};

}  // namespace rovuzu
