#include "platform/spritekit/SKView.hpp"

#include "platform/foundation/ClassRegistry.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIView, SKView)

namespace {

// The nodes that are drawn: neither they nor an ancestor hidden.
std::size_t countVisible(const SKNode& parent) {
    std::size_t count = 0;
    for (const auto& child : parent.children()) {
        if (!child->isHidden()) {
            count += 1 + countVisible(*child);
        }
    }
    return count;
}

}  // namespace

SKView::~SKView() {
    // A scene may outlive its view (a running timer can hold it); it must not point back here.
    if (scene_) {
        scene_->setView(nullptr);
    }
}

void SKView::presentScene(std::shared_ptr<SKScene> scene) {
    if (scene_) {
        scene_->willMoveFromView(*this);
        scene_->setView(nullptr);
    }
    scene_ = std::move(scene);
    if (scene_) {
        scene_->setView(this);
        fitSceneToView();
        scene_->didMoveToView(*this);
    }
}

void SKView::setFrame(CGRect frame) {
    UIView::setFrame(frame);
    fitSceneToView();
}

void SKView::fitSceneToView() {
    if (scene_) {
        const CGSize points = bounds().size;
        scene_->setSize({points.width * kSceneUnitsPerPoint, points.height * kSceneUnitsPerPoint});
    }
}

void SKView::stepFrame(double currentTime) {
    constexpr double kWindow = 1.0;
    frameTimes_.push_back(currentTime);
    while (frameTimes_.front() < currentTime - kWindow) {
        frameTimes_.pop_front();
    }
    if (scene_) {
        scene_->update(currentTime);
        scene_->evaluateActions(currentTime);
    }
}

void SKView::touchesBegan(const std::vector<UITouch>& touches) {
    if (scene_ && !touches.empty()) {
        scene_->touchesBegan(touches);
    }
}

double SKView::framesPerSecond() const {
    if (frameTimes_.size() < 2) {
        return 0.0;
    }
    const double span = frameTimes_.back() - frameTimes_.front();
    return span > 0.0 ? static_cast<double>(frameTimes_.size() - 1) / span : 0.0;
}

std::size_t SKView::nodeCount() const {
    return scene_ ? countVisible(*scene_) : 0;
}

}  // namespace rovuzu
