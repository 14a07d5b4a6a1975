#pragma once

#include <memory>

#include "platform/uikit/UIApplicationDelegate.hpp"
#include "platform/uikit/UIResponder.hpp"

namespace rovuzu {

// The application's delegate: it accepts the launch and holds the main window. The game has
// no start-up work, no saved state and no reaction of its own to the application's lifecycle.
class AppDelegate : public UIResponder, public UIApplicationDelegate {
  public:
    [[nodiscard]] std::shared_ptr<UIWindow> window() const override { return window_; }
    void setWindow(const std::shared_ptr<UIWindow>& window) override { window_ = window; }

    bool application(UIApplication& /*application*/,
                     const UIApplicationLaunchOptions* /*launchOptions*/) override {
        return true;
    }
    void applicationWillResignActive(UIApplication& /*application*/) override {}
    void applicationDidEnterBackground(UIApplication& /*application*/) override {}
    void applicationWillEnterForeground(UIApplication& /*application*/) override {}
    void applicationDidBecomeActive(UIApplication& /*application*/) override {}
    void applicationWillTerminate(UIApplication& /*application*/) override {}

  private:
    std::shared_ptr<UIWindow> window_;
};

}  // namespace rovuzu
