#include "platform/spritekit/SKScene.hpp"

#include <algorithm>
#include <functional>
#include <iterator>
#include <utility>

#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSCoder.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(SKNode, SKScene)

namespace {

void collectVisible(const SKNode& parent, const SKNode::Transform& parentToScene, double alpha,
                    double z, std::vector<SKScene::DrawItem>& items) {
    for (const auto& child : parent.children()) {
        if (child->isHidden()) {
            continue;
        }
        const SKNode::Transform toScene = parentToScene.then(child->localTransform());
        const double childAlpha = alpha * child->alpha();
        const double childZ = z + child->zPosition();
        items.push_back({child.get(), toScene, parentToScene, childAlpha, childZ});
        collectVisible(*child, toScene, childAlpha, childZ, items);
    }
}

// The visible nodes under the point, in drawing (tree) order, with their accumulated depth.
void collectHits(const SKNode& parent, const SKNode::Transform& parentToScene, double alpha,
                 double z, CGPoint point, std::vector<std::pair<const SKNode*, double>>& hits) {
    for (const auto& child : parent.children()) {
        if (child->isHidden()) {
            continue;
        }
        const double childAlpha = alpha * child->alpha();
        const double childZ = z + child->zPosition();
        if (childAlpha > 0.0 &&
            CGRectContainsPoint(parentToScene.apply(child->calculateAccumulatedFrame()), point)) {
            hits.emplace_back(child.get(), childZ);
        }
        collectHits(*child, parentToScene.then(child->localTransform()), childAlpha, childZ, point,
                    hits);
    }
}

void collectRunning(const std::shared_ptr<SKNode>& node,
                    std::vector<std::shared_ptr<SKNode>>& nodes) {
    if (node->hasActions()) {
        nodes.push_back(node);
    }
    for (const auto& child : node->children()) {
        collectRunning(child, nodes);
    }
}

}  // namespace

SKScene::SKScene(const NSCoder& coder) : SKNode(coder) {
    if (const auto size = coder.decodeObjectForKey("size")) {
        size_ = {size->decodeDoubleForKey("width"), size->decodeDoubleForKey("height")};
        if (size_.width < 0.0 || size_.height < 0.0) {
            coder.failWithError("'size' is negative");
        }
    }
    if (const auto anchor = coder.decodeObjectForKey("anchorPoint")) {
        anchorPoint_ = {anchor->decodeDoubleForKey("x"), anchor->decodeDoubleForKey("y")};
    }
}

std::shared_ptr<SKScene> SKScene::nodeWithFileNamed(std::string_view name) {
    const std::string fileName = std::string(name) + ".sks";
    const NSBundle& bundle = NSBundle::mainBundle();
    const auto url = bundle.URLForResource(name, "sks");
    if (!url) {
        diagnose(fileName + ": not found in " + bundle.bundlePath().string() +
                 "; no scene is shown");
        return nullptr;
    }
    const auto refuse = [&url](const std::string& problem) {
        diagnose(url->string() + ": " + problem + "; no scene is shown");
        return nullptr;
    };
    std::string problem;
    const auto coder = NSCoder::decoderWithContentsOfFile(*url, problem);
    if (!coder) {
        return refuse(problem);
    }
    const std::string className = coder->decodeStringForKey("class");
    if (className.empty()) {
        return refuse("'class' must name the scene's class");
    }
    auto scene = std::dynamic_pointer_cast<SKScene>(
        ClassRegistry<SKNode>::shared().make(className, &*coder));
    if (!scene) {
        return refuse("'" + className + "' is not a known scene class");
    }
    if (const auto error = coder->error()) {
        return refuse(*error);
    }
    return scene;
}

void SKScene::setSize(CGSize size) {
    if (size == size_) {
        return;
    }
    const CGSize old = std::exchange(size_, size);
    didChangeSize(old);
}

std::vector<SKScene::DrawItem> SKScene::nodesInDrawOrder() const {
    std::vector<DrawItem> items;
    collectVisible(*this, {}, 1.0, 0.0, items);
    std::stable_sort(items.begin(), items.end(),
                     [](const DrawItem& a, const DrawItem& b) { return a.z < b.z; });
    return items;
}

std::vector<std::shared_ptr<SKNode>> SKScene::nodesAtPoint(CGPoint point) const {
    // Only the nodes under the point are put in order, not the whole tree: stably by depth, as
    // they are drawn, and then front-most first.
    std::vector<std::pair<const SKNode*, double>> hits;
    collectHits(*this, {}, 1.0, 0.0, point, hits);
    std::stable_sort(hits.begin(), hits.end(),
                     [](const auto& a, const auto& b) { return a.second < b.second; });
    std::vector<std::shared_ptr<SKNode>> found;
    found.reserve(hits.size());
    std::transform(hits.rbegin(), hits.rend(), std::back_inserter(found), [](const auto& hit) {
        return std::const_pointer_cast<SKNode>(hit.first->shared_from_this());
    });
    return found;
}

CGPoint SKScene::convertPointFromView(CGPoint point) const {
    if (view_ == nullptr) {
        return point;
    }
    const CGSize viewSize = view_->bounds().size;
    if (viewSize.width <= 0.0 || viewSize.height <= 0.0) {
        return {};
    }
    // Offsets first, scale last: whole and half points map to scene units without rounding.
    const double scaleX = size_.width / viewSize.width;
    const double scaleY = size_.height / viewSize.height;
    return {(point.x - anchorPoint_.x * viewSize.width) * scaleX,
            ((1.0 - anchorPoint_.y) * viewSize.height - point.y) * scaleY};
}

CGPoint SKScene::convertPointToView(CGPoint point) const {
    if (view_ == nullptr) {
        return point;
    }
    const CGSize viewSize = view_->bounds().size;
    if (size_.width <= 0.0 || size_.height <= 0.0) {
        return {};
    }
    const double scaleX = viewSize.width / size_.width;
    const double scaleY = viewSize.height / size_.height;
    return {point.x * scaleX + anchorPoint_.x * viewSize.width,
            (1.0 - anchorPoint_.y) * viewSize.height - point.y * scaleY};
}

void SKScene::evaluateActions(double now) {
    // Hold the running nodes for the pass: an action that removes its node must not free it
    // midway, nor any other node still waiting its turn.
    std::vector<std::shared_ptr<SKNode>> running;
    collectRunning(shared_from_this(), running);
    for (const auto& node : running) {
        node->evaluateActions(now);
    }
}

}  // namespace rovuzu
