#pragma once

#include <map>
#include <memory>
#include <string>

namespace rovuzu {

class UIApplication;
class UIWindow;

using UIApplicationLaunchOptions = std::map<std::string, std::string>;

// What the application tells its delegate. Every operation has the platform's default.
class UIApplicationDelegate {
  public:
    UIApplicationDelegate() = default;
    UIApplicationDelegate(const UIApplicationDelegate&) = delete;
    UIApplicationDelegate& operator=(const UIApplicationDelegate&) = delete;
    virtual ~UIApplicationDelegate() = default;

    // The main window, which the application hands over at launch.
    [[nodiscard]] virtual std::shared_ptr<UIWindow> window() const { return nullptr; }
    virtual void setWindow(const std::shared_ptr<UIWindow>& /*window*/) {}

    // The platform's application:didFinishLaunchingWithOptions:; false refuses the launch.
    virtual bool application(UIApplication& /*application*/,
                             const UIApplicationLaunchOptions* /*launchOptions*/) {
        return true;
    }
    virtual void applicationWillResignActive(UIApplication& /*application*/) {}
    virtual void applicationDidEnterBackground(UIApplication& /*application*/) {}
    virtual void applicationWillEnterForeground(UIApplication& /*application*/) {}
    virtual void applicationDidBecomeActive(UIApplication& /*application*/) {}
    virtual void applicationWillTerminate(UIApplication& /*application*/) {}
};

}  // namespace rovuzu
