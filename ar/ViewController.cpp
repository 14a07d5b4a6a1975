#include "ar/ViewController.hpp"

#include <string>

#include "platform/arkit/ARWorldTrackingConfiguration.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIViewController, ViewController)

ViewController::ViewController(std::optional<std::string> nibName, const NSBundle* bundle)
    : UIViewController(std::move(nibName), bundle) {}

ViewController::ViewController(const NSCoder& coder) : UIViewController(coder) {}

// The view is loaded: hear from it, show the read-outs, and present the game scene, which
// starts the round. Without a scene file there is only the camera picture.
void ViewController::viewDidLoad() {
    UIViewController::viewDidLoad();
    sceneView_->setDelegate(weakSelf<ViewController>());
    sceneView_->setShowsFPS(true);
    sceneView_->setShowsNodeCount(true);
    if (auto scene = SKScene::nodeWithFileNamed("Scene")) {
        sceneView_->presentScene(std::move(scene));
    }
}

// On screen: world tracking runs, resuming where it was, anchors kept.
void ViewController::viewWillAppear(bool animated) {
    UIViewController::viewWillAppear(animated);
    const ARWorldTrackingConfiguration configuration;
    sceneView_->session().runWithConfiguration(configuration, ARSessionRunOptions::none);
}

// Off screen: tracking pauses; the round itself carries on.
void ViewController::viewWillDisappear(bool animated) {
    UIViewController::viewWillDisappear(animated);
    sceneView_->session().pause();
}

void ViewController::didReceiveMemoryWarning() {
    UIViewController::didReceiveMemoryWarning();
}

std::shared_ptr<SKNode> ViewController::viewNodeForAnchor(ARSKView& /*view*/,
                                                          const ARAnchor& /*anchor*/) {
    return spriteForAnchor();
}

std::shared_ptr<SKNode> ViewController::spriteForAnchor() {
    const auto picture = GKRandomSource::sharedRandom().nextIntWithUpperBound(4) + 1;
    return std::make_shared<SKSpriteNode>("rovuzu" + std::to_string(picture));
}

bool ViewController::connectOutlet(std::string_view name, const std::shared_ptr<UIView>& view) {
    auto arView = std::dynamic_pointer_cast<ARSKView>(view);
    if (name != "sceneView" || !arView) {
        return false;
    }
    setSceneView(std::move(arView));
    return true;
}

std::optional<std::string> ViewController::missingOutlet() const {
    return sceneView_ ? std::nullopt : std::optional<std::string>{"sceneView"};
}

}  // namespace rovuzu
