#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string_view>

#include "platform/foundation/NSCoder.hpp"

namespace rovuzu {

class NSBundle;
class UIViewController;

// An interface file: JSON naming the initial screen's controller class and its view, and the
// outlet the view is connected to:
//   {"initialViewController": {"class": "ViewController",
//                              "view": {"class": "ARSKView", "outlet": "sceneView"}}}
class UIStoryboard {
  public:
    // Reads `name`.storyboard from the bundle; says why on stderr and returns nothing when it
    // cannot.
    static std::optional<UIStoryboard> storyboardWithName(std::string_view name,
                                                          const NSBundle& bundle);

    // Makes the controller through its decoder initialiser, makes its view and connects the
    // outlet. Says why on stderr and returns null when the file asks for something impossible.
    [[nodiscard]] std::shared_ptr<UIViewController> instantiateInitialViewController() const;

  private:
    UIStoryboard(NSCoder coder, std::filesystem::path file);

    NSCoder coder_;
    std::filesystem::path file_;
};

}  // namespace rovuzu
