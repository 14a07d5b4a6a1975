#include "platform/spritekit/SKNode.hpp"

#include <algorithm>
#include <cmath>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

CGPoint SKNode::Transform::invert(CGPoint p) const {
    return {sx != 0.0 ? (p.x - tx) / sx : 0.0, sy != 0.0 ? (p.y - ty) / sy : 0.0};
}

CGRect SKNode::Transform::apply(const CGRect& r) const {
    const CGPoint a = apply(r.origin);
    const CGPoint b = apply(CGPoint{CGRectGetMaxX(r), CGRectGetMaxY(r)});
    return {{std::min(a.x, b.x), std::min(a.y, b.y)}, {std::abs(b.x - a.x), std::abs(b.y - a.y)}};
}

SKNode::Transform SKNode::Transform::then(const Transform& inner) const {
    return {tx + sx * inner.tx, ty + sy * inner.ty, sx * inner.sx, sy * inner.sy};
}

SKNode::SKNode(const NSCoder& coder) {
    name_ = coder.decodeStringForKey("name");
    if (const auto position = coder.decodeObjectForKey("position")) {
        position_ = {position->decodeDoubleForKey("x"), position->decodeDoubleForKey("y")};
    }
    zPosition_ = coder.decodeDoubleForKey("zPosition");
}

SKNode::~SKNode() {
    for (const auto& child : children_) {
        child->parent_ = nullptr;
    }
}

void SKNode::addChild(const std::shared_ptr<SKNode>& node) {
    if (!node) {
        return;
    }
    if (node->parent_ != nullptr) {
        diagnose("addChild: the node already has a parent; it was not added again");
        return;
    }
    if (node.get() == this || node->isAncestorOf(*this)) {
        diagnose("addChild: a node cannot become its own descendant");
        return;
    }
    node->parent_ = this;
    children_.push_back(node);
    if (scene() != nullptr) {
        node->notifyEnterScene();
    }
}

void SKNode::removeFromParent() {
    if (parent_ == nullptr) {
        return;
    }
    if (scene() != nullptr) {
        notifyLeaveScene();
    }
    const auto keepAlive = shared_from_this();
    auto& siblings = parent_->children_;
    siblings.erase(std::find(siblings.begin(), siblings.end(), keepAlive));
    parent_ = nullptr;
}

SKScene* SKNode::scene() const {
    const SKNode* root = this;
    while (root->parent_ != nullptr) {
        root = root->parent_;
    }
    // As on the platform, any node, even one held as const, leads to its scene to change it.
    return dynamic_cast<SKScene*>(const_cast<SKNode*>(root));  // NOLINT(*-const-cast)
}

std::shared_ptr<SKNode> SKNode::childNodeWithName(std::string_view name) const {
    const auto found = std::find_if(children_.begin(), children_.end(),
                                    [name](const auto& child) { return child->name_ == name; });
    return found == children_.end() ? nullptr : *found;
}

void SKNode::runAction(const SKAction& action) {
    actions_.emplace_back(action, Clock::current().monotonicNow(), std::string{});
}

void SKNode::runAction(const SKAction& action, std::string key) {
    std::erase_if(actions_, [&key](const SKActionRun& run) { return run.key() == key; });
    actions_.emplace_back(action, Clock::current().monotonicNow(), std::move(key));
}

std::optional<SKAction> SKNode::actionForKey(std::string_view key) const {
    const auto found = std::find_if(actions_.begin(), actions_.end(),
                                    [key](const SKActionRun& run) { return run.key() == key; });
    return found == actions_.end() ? std::nullopt : std::optional{found->action()};
}

void SKNode::evaluateActions(double now) {
    // Indexes, not iterators: an action may start another one on this node.
    for (std::size_t i = 0; i < actions_.size(); ++i) {  // NOLINT(modernize-loop-convert)
        actions_[i].update(*this, now);
    }
    std::erase_if(actions_, [](const SKActionRun& run) { return run.isDone(); });
}

SKNode::Transform SKNode::localTransform() const {
    return {position_.x, position_.y, xScale_ * depthScale_, yScale_ * depthScale_};
}

CGRect SKNode::frame() const {
    const CGRect content = contentRect();
    return CGRectIsEmpty(content) ? CGRect{position_, {}} : localTransform().apply(content);
}

CGRect SKNode::calculateAccumulatedFrame() const {
    CGRect accumulated = frame();
    const Transform toParent = localTransform();
    for (const auto& child : children_) {
        accumulated = CGRectUnion(accumulated, toParent.apply(child->calculateAccumulatedFrame()));
    }
    return accumulated;
}

SKNode::Transform SKNode::transformToScene() const {
    Transform transform;
    for (const SKNode* node = this; node->parent_ != nullptr; node = node->parent_) {
        transform = node->localTransform().then(transform);
    }
    return transform;
}

CGPoint SKNode::convertPointFromScene(CGPoint point) const {
    return transformToScene().invert(point);
}

bool SKNode::isAncestorOf(const SKNode& node) const {
    for (const SKNode* up = node.parent_; up != nullptr; up = up->parent_) {
        if (up == this) {
            return true;
        }
    }
    return false;
}

void SKNode::notifyEnterScene() {
    didEnterScene();
    for (const auto& child : children_) {
        child->notifyEnterScene();
    }
}

void SKNode::notifyLeaveScene() {
    for (const auto& child : children_) {
        child->notifyLeaveScene();
    }
    willLeaveScene();
}

}  // namespace rovuzu
