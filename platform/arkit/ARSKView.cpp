#include "platform/arkit/ARSKView.hpp"

#include <glm/geometric.hpp>

#include "platform/arkit/ARSKViewDelegate.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIView, ARSKView)

void ARSKView::setDelegate(std::weak_ptr<ARSKViewDelegate> delegate) {
    delegate_ = std::move(delegate);
    session_.setObserver(delegate_);
}

std::shared_ptr<ARAnchor> ARSKView::anchorForNode(const SKNode& node) const {
    const auto found = anchorIndexByNode_.find(&node);
    if (found == anchorIndexByNode_.end() || anchorNodes_[found->second].node.expired()) {
        return nullptr;
    }
    return anchorNodes_[found->second].anchor;
}

std::shared_ptr<SKNode> ARSKView::nodeForAnchor(const ARAnchor& anchor) const {
    for (const AnchorNode& entry : anchorNodes_) {
        if (entry.anchor.get() == &anchor) {
            return entry.node.lock();
        }
    }
    return nullptr;
}

ARCamera ARSKView::camera() const {
    if (const auto& picture = session_.cameraIntrinsics()) {
        return ARCamera{session_.cameraTransform(), bounds().size, *picture};
    }
    return ARCamera{session_.cameraTransform(), bounds().size};
}

void ARSKView::stepFrame(double currentTime) {
    if (scene() && session_.isRunning()) {
        addNodesForNewAnchors();
    }
    placeAnchorNodes();
    SKView::stepFrame(currentTime);
}

void ARSKView::addNodesForNewAnchors() {
    const auto& anchors = session_.anchors();
    const auto delegate = delegate_.lock();
    while (anchorNodes_.size() < anchors.size()) {
        const auto& anchor = anchors[anchorNodes_.size()];
        std::shared_ptr<SKNode> node =
            delegate ? delegate->viewNodeForAnchor(*this, *anchor) : nullptr;
        if (node && node->parent() == nullptr) {
            scene()->addChild(node);
            anchorIndexByNode_[node.get()] = anchorNodes_.size();
        }
        anchorNodes_.push_back({anchor, node});
    }
}

void ARSKView::placeAnchorNodes() {
    const ARCamera arCamera = camera();
    for (const AnchorNode& entry : anchorNodes_) {
        if (const auto node = entry.node.lock()) {
            place(*node, *entry.anchor, arCamera);
        }
    }
}

void ARSKView::place(SKNode& node, const ARAnchor& anchor, const ARCamera& arCamera) const {
    const auto projection = arCamera.projectPoint(anchor.position());
    const SKScene* presented = scene().get();
    if (!projection || presented == nullptr) {
        node.setHidden(true);
        return;
    }
    const double distance =
        glm::distance(anchor.position(), simd_float3{session_.cameraTransform()[3]});
    node.setPosition(presented->convertPointFromView(projection->viewPoint));
    node.setDepthScale(kUnitScaleDistance / projection->depth);
    node.setZPosition(-distance);
    const CGSize size = presented->size();
    const CGPoint anchorPoint = presented->anchorPoint();
    const CGRect visible{{-anchorPoint.x * size.width, -anchorPoint.y * size.height}, size};
    node.setHidden(!CGRectIntersectsRect(node.calculateAccumulatedFrame(), visible));
}

}  // namespace rovuzu
