#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/spritekit/SKNode.hpp"
#include "platform/uikit/UITouch.hpp"

namespace rovuzu {

class NSCoder;
class SKView;

// The root of a tree of nodes that a view presents. Its coordinates are scene units with the
// origin at `anchorPoint` of its size (the centre, for our scenes) and y up.
class SKScene : public SKNode {
  public:
    // A node of the tree as it is drawn: where it lands in scene coordinates, and how
    // transparent and how deep it is once its ancestors are taken into account.
    struct DrawItem {
        const SKNode* node = nullptr;
        SKNode::Transform toScene;
        SKNode::Transform parentToScene;
        double alpha = 1.0;
        double z = 0.0;
    };

    SKScene() = default;
    explicit SKScene(CGSize size) : size_(size) {}
    explicit SKScene(const NSCoder& coder);

    // Decodes the scene file `name`.sks from the main bundle into the class it names. When the
    // file is missing or malformed, or names no scene class, says so on stderr and returns null.
    static std::shared_ptr<SKScene> nodeWithFileNamed(std::string_view name);

    [[nodiscard]] CGSize size() const { return size_; }
    // A new size tells the scene (didChangeSize), as the presenting view's frame changes.
    void setSize(CGSize size);
    [[nodiscard]] CGPoint anchorPoint() const { return anchorPoint_; }
    void setAnchorPoint(CGPoint anchorPoint) { anchorPoint_ = anchorPoint; }

    // The view presenting the scene, or null.
    [[nodiscard]] SKView* view() const { return view_; }

    virtual void didMoveToView(SKView& /*view*/) {}
    // The scene's size has changed from `oldSize`; the new one is size().
    virtual void didChangeSize(CGSize /*oldSize*/) {}
    virtual void willMoveFromView(SKView& /*view*/) {}
    virtual void touchesBegan(const std::vector<UITouch>& /*touches*/) {}
    virtual void update(double /*currentTime*/) {}
    // Writes the scene's state for reports; the base scene has none of its own.
    virtual void encodeWithCoder(NSCoder& /*coder*/) const {}
    // Whether the scene has come to its end, as a game's round does: a host that stops by
    // itself counts its last seconds from then. The base scene never ends.
    [[nodiscard]] virtual bool hasEnded() const { return false; }

    // Visible nodes (not hidden, alpha above zero) whose accumulated frame holds the point,
    // front-most first: by zPosition, then by drawing order.
    [[nodiscard]] std::vector<std::shared_ptr<SKNode>> nodesAtPoint(CGPoint point) const;
    // The visible nodes back to front, the order they are drawn in.
    [[nodiscard]] std::vector<DrawItem> nodesInDrawOrder() const;

    // Between the presenting view's points (top-left origin, y down) and scene coordinates.
    [[nodiscard]] CGPoint convertPointFromView(CGPoint point) const;
    [[nodiscard]] CGPoint convertPointToView(CGPoint point) const;

    // Runs every action in the tree up to `now`; an action may remove its own node.
    void evaluateActions(double now);

    // Called by the presenting view only.
    void setView(SKView* view) { view_ = view; }

  private:
    CGSize size_{};
    CGPoint anchorPoint_{};
    SKView* view_ = nullptr;
};

}  // namespace rovuzu
