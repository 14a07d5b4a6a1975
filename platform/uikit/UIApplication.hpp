#pragma once

#include <memory>
#include <string_view>

#include "platform/foundation/CGGeometry.hpp"

namespace rovuzu {

class UIApplicationDelegate;
class UIWindow;

// The running application: its delegate and its one window. Launching reads the app
// configuration (Info.json in the main bundle), which names the main interface file; the
// interface's initial screen becomes the window's root and appears.
class UIApplication {
  public:
    UIApplication() = default;
    UIApplication(const UIApplication&) = delete;
    UIApplication& operator=(const UIApplication&) = delete;
    ~UIApplication();

    // Creates the delegate by class name, the window at `windowSize` points, and the initial
    // screen, then tells the delegate and shows the window. When something the application
    // cannot start without is missing or broken, says so on stderr and returns false.
    bool launch(std::string_view delegateClassName, CGSize windowSize);

    // The view disappears, the delegate hears of it, and everything is let go of.
    void terminate();

    // The lifecycle as the desktop sees it: focus lost or regained, minimised or restored.
    void resignActive();
    void becomeActive();
    void enterBackground();
    void enterForeground();

    [[nodiscard]] const std::shared_ptr<UIApplicationDelegate>& delegate() const {
        return delegate_;
    }
    [[nodiscard]] const std::shared_ptr<UIWindow>& keyWindow() const { return window_; }

  private:
    std::shared_ptr<UIApplicationDelegate> delegate_;
    std::shared_ptr<UIWindow> window_;
    bool terminated_ = false;
};

}  // namespace rovuzu
