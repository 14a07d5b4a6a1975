#include "platform/uikit/UIApplication.hpp"

#include <string>

#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/uikit/UIApplicationDelegate.hpp"
#include "platform/uikit/UIStoryboard.hpp"
#include "platform/uikit/UIViewController.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

namespace {

// The main interface's name, from the app configuration.
std::optional<std::string> mainInterfaceName(const NSBundle& bundle) {
    const auto url = bundle.URLForResource("Info", "json");
    if (!url) {
        diagnose("Info.json: not found in " + bundle.bundlePath().string());
        return std::nullopt;
    }
    std::string problem;
    const auto info = NSCoder::decoderWithContentsOfFile(*url, problem);
    if (!info) {
        diagnose(url->string() + ": " + problem);
        return std::nullopt;
    }
    std::string name = info->decodeStringForKey("UIMainStoryboardFile");
    if (const auto error = info->error()) {
        diagnose(url->string() + ": " + *error);
        return std::nullopt;
    }
    if (name.empty()) {
        diagnose(url->string() + ": 'UIMainStoryboardFile' must name the main interface");
        return std::nullopt;
    }
    return name;
}

}  // namespace

UIApplication::~UIApplication() {
    terminate();
}

bool UIApplication::launch(std::string_view delegateClassName, CGSize windowSize) {
    delegate_ = ClassRegistry<UIApplicationDelegate>::shared().make(delegateClassName);
    if (!delegate_) {
        diagnose("'" + std::string(delegateClassName) +
                 "' is not a known application delegate class");
        return false;
    }
    const NSBundle& bundle = NSBundle::mainBundle();
    const auto interface = mainInterfaceName(bundle);
    if (!interface) {
        return false;
    }
    const auto storyboard = UIStoryboard::storyboardWithName(*interface, bundle);
    const auto controller = storyboard ? storyboard->instantiateInitialViewController() : nullptr;
    if (!controller) {
        return false;
    }
    window_ = std::make_shared<UIWindow>(CGRect{{0.0, 0.0}, windowSize});
    delegate_->setWindow(window_);
    window_->setRootViewController(controller);
    delegate_->application(*this, nullptr);
    window_->makeKeyAndVisible();
    return true;
}

void UIApplication::terminate() {
    if (terminated_ || !delegate_) {
        return;
    }
    terminated_ = true;
    if (window_) {
        window_->hide();
    }
    delegate_->applicationWillTerminate(*this);
    // Timers hold what their blocks captured (the scene holds its own timer); at exit they go.
    NSRunLoop::mainRunLoop().invalidateAll();
    window_.reset();
    delegate_.reset();
}

void UIApplication::resignActive() {
    if (delegate_) {
        delegate_->applicationWillResignActive(*this);
    }
}

void UIApplication::becomeActive() {
    if (delegate_) {
        delegate_->applicationDidBecomeActive(*this);
    }
}

void UIApplication::enterBackground() {
    if (delegate_) {
        delegate_->applicationDidEnterBackground(*this);
    }
}

void UIApplication::enterForeground() {
    if (delegate_) {
        delegate_->applicationWillEnterForeground(*this);
    }
}

}  // namespace rovuzu
