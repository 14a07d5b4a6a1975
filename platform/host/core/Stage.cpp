#include "platform/host/core/Stage.hpp"

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

namespace {

// What each input does to the window and the pose.
struct Applier {
    UIWindow* window;
    DevicePose& pose;

    void operator()(const input::Look& look) const { pose.rotation = look.rotation; }
    void operator()(const input::Move& move) const { pose.position = move.position; }
    void operator()(const input::Resize& resize) const {
        if (window != nullptr) {
            window->setFrame({{0.0, 0.0}, resize.size});
        }
    }
    void operator()(const input::Hide& /*hide*/) const {
        if (window != nullptr) {
            window->hide();
        }
    }
    void operator()(const input::Show& /*show*/) const {
        if (window != nullptr) {
            window->makeKeyAndVisible();
        }
    }
    template <typename Other>
    void operator()(const Other& /*other*/) const {}
};

}  // namespace

SKView* Stage::view() const {
    const auto& window = application_.keyWindow();
    if (!window || !window->rootViewController()) {
        return nullptr;
    }
    return dynamic_cast<SKView*>(window->rootViewController()->view().get());
}

ARSKView* Stage::arView() const {
    return dynamic_cast<ARSKView*>(view());
}

CGSize Stage::viewSize() const {
    const auto& window = application_.keyWindow();
    return window ? window->bounds().size : CGSize{};
}

bool Stage::isShown() const {
    const auto& window = application_.keyWindow();
    return window && window->isVisible() && view() != nullptr;
}

void Stage::apply(const Input& input) {
    std::visit(Applier{application_.keyWindow().get(), pose_}, input);
}

void Stage::step(double now, const std::vector<input::Touches>& touches) {
    ARSKView* ar = arView();
    if (ar != nullptr) {
        ar->session().setDevicePose(pose_.transform());
        ar->session().setCameraIntrinsics(intrinsics_);
    }
    NSRunLoop::mainRunLoop().fireDueTimers();
    if (!isShown()) {
        return;  // a hidden view takes no touches and draws no frames
    }
    SKView* shown = view();
    for (const input::Touches& event : touches) {
        std::vector<UITouch> began;
        for (const CGPoint point : event.points) {
            began.emplace_back(point, shown);
        }
        shown->touchesBegan(began);
    }
    shown->stepFrame(now);
}

bool Stage::sceneEnded() const {
    const SKView* shown = view();
    return shown != nullptr && shown->scene() && shown->scene()->hasEnded();
}

}  // namespace rovuzu
