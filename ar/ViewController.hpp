#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/arkit/ARSKView.hpp"
#include "platform/arkit/ARSKViewDelegate.hpp"
#include "platform/uikit/UIViewController.hpp"

namespace rovuzu {

class NSBundle;
class NSCoder;

// The game's one screen: it presents the game scene in its AR view, keeps world tracking
// running while it is on screen, and gives each new anchor a randomly chosen target sprite.
class ViewController : public UIViewController, public ARSKViewDelegate {
  public:
    explicit ViewController(std::optional<std::string> nibName = std::nullopt,
                            const NSBundle* bundle = nullptr);
    explicit ViewController(const NSCoder& coder);

    [[nodiscard]] const std::shared_ptr<ARSKView>& sceneView() const { return sceneView_; }
    void setSceneView(std::shared_ptr<ARSKView> view) { sceneView_ = std::move(view); }

    void viewDidLoad() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void didReceiveMemoryWarning() override;

    std::shared_ptr<SKNode> viewNodeForAnchor(ARSKView& view, const ARAnchor& anchor) override;
    // A new sprite showing one of the four target pictures, chosen at random.
    static std::shared_ptr<SKNode> spriteForAnchor();

    void session(ARSession& /*session*/, const NSError& /*error*/) override {}
    void sessionWasInterrupted(ARSession& /*session*/) override {}
    void sessionInterruptionEnded(ARSession& /*session*/) override {}

    bool connectOutlet(std::string_view name, const std::shared_ptr<UIView>& view) override;
    // Every hook uses the scene view, so an interface that leaves it unconnected is refused.
    [[nodiscard]] std::optional<std::string> missingOutlet() const override;

  private:
    std::shared_ptr<ARSKView> sceneView_;
};

}  // namespace rovuzu
