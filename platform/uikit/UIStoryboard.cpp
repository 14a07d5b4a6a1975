#include "platform/uikit/UIStoryboard.hpp"

#include <string>

#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/uikit/UIView.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace rovuzu {

UIStoryboard::UIStoryboard(NSCoder coder, std::filesystem::path file)
    : coder_(std::move(coder)), file_(std::move(file)) {}

std::optional<UIStoryboard> UIStoryboard::storyboardWithName(std::string_view name,
                                                             const NSBundle& bundle) {
    const auto url = bundle.URLForResource(name, "storyboard");
    if (!url) {
        diagnose(std::string(name) + ".storyboard: not found in " + bundle.bundlePath().string());
        return std::nullopt;
    }
    std::string problem;
    auto coder = NSCoder::decoderWithContentsOfFile(*url, problem);
    if (!coder) {
        diagnose(url->string() + ": " + problem);
        return std::nullopt;
    }
    return UIStoryboard{std::move(*coder), *url};
}

std::shared_ptr<UIViewController> UIStoryboard::instantiateInitialViewController() const {
    const auto refuse = [this](const std::string& problem) {
        diagnose(file_.string() + ": " + problem);
        return nullptr;
    };
    const auto screen = coder_.decodeObjectForKey("initialViewController");
    if (!screen) {
        return refuse("no 'initialViewController' object");
    }
    const std::string controllerClass = screen->decodeStringForKey("class");
    auto controller =
        ClassRegistry<UIViewController>::shared().make(controllerClass, &*screen);
    if (!controller) {
        return refuse("'" + controllerClass + "' is not a known view controller class");
    }
    const auto view = screen->decodeObjectForKey("view");
    const std::string viewClass = view ? view->decodeStringForKey("class") : std::string{};
    auto made = ClassRegistry<UIView>::shared().make(viewClass, view ? &*view : nullptr);
    if (!made) {
        return refuse("the initial screen needs a view of a known class, not '" + viewClass + "'");
    }
    controller->setView(made);
    const std::string outlet = view->decodeStringForKey("outlet");
    if (!outlet.empty() && !controller->connectOutlet(outlet, made)) {
        return refuse("'" + controllerClass + "' has no outlet '" + outlet + "' for a " +
                      viewClass);
    }
    if (const auto error = coder_.error()) {
        return refuse(*error);
    }
    if (const auto missing = controller->missingOutlet()) {
        return refuse("'" + controllerClass + "' needs its outlet '" + *missing + "' connected");
    }
    return controller;
}

}  // namespace rovuzu
