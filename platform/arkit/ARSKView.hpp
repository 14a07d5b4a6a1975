#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/arkit/ARSession.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

class ARAnchor;
class ARSKViewDelegate;
class SKNode;

// A scene view over the camera picture that keeps one node at each anchor of its session.
// Each frame it asks its delegate for nodes for new anchors, then places every anchor's node
// where the camera sees the anchor: position, a size for its distance, and a depth order
// (farther behind nearer). Nodes of anchors behind the camera or off screen are hidden.
class ARSKView : public SKView {
  public:
    using SKView::SKView;

    // The distance, in metres, at which an anchor's node shows at its own size.
    static constexpr double kUnitScaleDistance = 1.0;

    [[nodiscard]] ARSession& session() { return session_; }
    [[nodiscard]] const ARSession& session() const { return session_; }

    // The delegate is held weakly, as the platform does.
    void setDelegate(std::weak_ptr<ARSKViewDelegate> delegate);

    // The anchor a node was made for, or null.
    [[nodiscard]] std::shared_ptr<ARAnchor> anchorForNode(const SKNode& node) const;
    // The node made for an anchor, or null (none asked for yet, or none given).
    [[nodiscard]] std::shared_ptr<SKNode> nodeForAnchor(const ARAnchor& anchor) const;

    // The camera as of the session's current pose, for this view's size.
    [[nodiscard]] ARCamera camera() const;

    void stepFrame(double currentTime) override;

  private:
    struct AnchorNode {
        std::shared_ptr<ARAnchor> anchor;
        std::weak_ptr<SKNode> node;
    };

    void addNodesForNewAnchors();
    void placeAnchorNodes();
    void place(SKNode& node, const ARAnchor& anchor, const ARCamera& camera) const;

    ARSession session_;
    std::weak_ptr<ARSKViewDelegate> delegate_;
    std::vector<AnchorNode> anchorNodes_;
    std::unordered_map<const SKNode*, std::size_t> anchorIndexByNode_;
};

}  // namespace rovuzu
