#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/spritekit/SKAction.hpp"
#include "platform/spritekit/SKActionRun.hpp"

namespace rovuzu {

class NSCoder;
class SKScene;

// A node of the scene graph. A parent owns its children. Position, scale and zPosition are
// relative to the parent; alpha and hidden apply to the whole subtree.
class SKNode : public std::enable_shared_from_this<SKNode> {
  public:
    // Maps a node's own coordinates into another space: scale, then translate.
    struct Transform {
        double tx = 0.0;
        double ty = 0.0;
        double sx = 1.0;
        double sy = 1.0;

        [[nodiscard]] CGPoint apply(CGPoint p) const { return {tx + sx * p.x, ty + sy * p.y}; }
        [[nodiscard]] CGPoint invert(CGPoint p) const;
        [[nodiscard]] CGRect apply(const CGRect& r) const;
        [[nodiscard]] Transform then(const Transform& inner) const;
    };

    SKNode() = default;
    explicit SKNode(const NSCoder& coder);
    SKNode(const SKNode&) = delete;
    SKNode& operator=(const SKNode&) = delete;
    virtual ~SKNode();

    [[nodiscard]] CGPoint position() const { return position_; }
    void setPosition(CGPoint position) { position_ = position; }
    [[nodiscard]] double xScale() const { return xScale_; }
    [[nodiscard]] double yScale() const { return yScale_; }
    void setXScale(double scale) { xScale_ = scale; }
    void setYScale(double scale) { yScale_ = scale; }
    void setScale(double scale) { xScale_ = yScale_ = scale; }
    [[nodiscard]] double alpha() const { return alpha_; }
    void setAlpha(double alpha) { alpha_ = alpha; }
    [[nodiscard]] double zPosition() const { return zPosition_; }
    void setZPosition(double z) { zPosition_ = z; }
    [[nodiscard]] bool isHidden() const { return hidden_; }
    void setHidden(bool hidden) { hidden_ = hidden; }
    [[nodiscard]] const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // How big the AR view shows the node for its distance. It multiplies the node's own scale
    // when the node is drawn and hit-tested, so that an action's scaleTo keeps meaning the
    // node's own scale while the view keeps it the right size for where it stands.
    [[nodiscard]] double depthScale() const { return depthScale_; }
    void setDepthScale(double scale) { depthScale_ = scale; }

    [[nodiscard]] SKNode* parent() const { return parent_; }
    [[nodiscard]] const std::vector<std::shared_ptr<SKNode>>& children() const { return children_; }
    // Adds the node as the last child. A node that already has a parent, or that would become
    // its own ancestor, is refused with a diagnostic and nothing changes.
    void addChild(const std::shared_ptr<SKNode>& node);
    // Detaches the node from its parent; without a parent, nothing happens.
    void removeFromParent();
    // The scene at the root of this node's tree, if the root is a scene.
    [[nodiscard]] SKScene* scene() const;
    [[nodiscard]] std::shared_ptr<SKNode> childNodeWithName(std::string_view name) const;

    // Starts the action now; with a key, it replaces the running action of that key.
    void runAction(const SKAction& action);
    void runAction(const SKAction& action, std::string key);
    [[nodiscard]] std::optional<SKAction> actionForKey(std::string_view key) const;
    [[nodiscard]] bool hasActions() const { return !actions_.empty(); }
    void removeAllActions() { actions_.clear(); }
    // Brings every running action to `now`, and drops those that have finished. The caller
    // keeps the node alive: an action may remove it from its parent.
    void evaluateActions(double now);

    // This node's own drawn rectangle in its parent's coordinates; empty for a node that draws
    // nothing.
    [[nodiscard]] CGRect frame() const;
    // The frame joined with the accumulated frames of all descendants, in parent coordinates.
    [[nodiscard]] CGRect calculateAccumulatedFrame() const;
    // From this node's coordinates to its parent's.
    [[nodiscard]] Transform localTransform() const;
    // A point in the coordinates of this node's scene, in this node's own coordinates.
    [[nodiscard]] CGPoint convertPointFromScene(CGPoint point) const;
    // From this node's coordinates to its scene's (or its root's).
    [[nodiscard]] Transform transformToScene() const;

  protected:
    // The drawn content around the node's origin, before scaling; empty by default.
    [[nodiscard]] virtual CGRect contentRect() const { return {}; }
    // Called when the node joins or leaves a tree rooted at a scene.
    virtual void didEnterScene() {}
    virtual void willLeaveScene() {}

  private:
    [[nodiscard]] bool isAncestorOf(const SKNode& node) const;
    void notifyEnterScene();
    void notifyLeaveScene();

    CGPoint position_{};
    double xScale_ = 1.0;
    double yScale_ = 1.0;
    double depthScale_ = 1.0;
    double alpha_ = 1.0;
    double zPosition_ = 0.0;
    bool hidden_ = false;
    std::string name_;
    SKNode* parent_ = nullptr;
    std::vector<std::shared_ptr<SKNode>> children_;
    std::vector<SKActionRun> actions_;
};

}  // namespace rovuzu
