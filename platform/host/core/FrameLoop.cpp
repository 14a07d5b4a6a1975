#include "platform/host/core/FrameLoop.hpp"

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

FrameLoop::FrameLoop(UIApplication& application, bool autoplay, Recorder* recorder)
    : application_(application), recorder_(recorder) {
    if (autoplay) {
        autoplay_.emplace();
    }
}

SKView* FrameLoop::view() const {
    const auto& window = application_.keyWindow();
    if (!window || !window->rootViewController()) {
        return nullptr;
    }
    return dynamic_cast<SKView*>(window->rootViewController()->view().get());
}

ARSKView* FrameLoop::arView() const {
    return dynamic_cast<ARSKView*>(view());
}

CGSize FrameLoop::viewSize() const {
    const auto& window = application_.keyWindow();
    return window ? window->bounds().size : CGSize{};
}

void FrameLoop::apply(const InputEvent& event) {
    using Verb = InputEvent::Verb;
    if (recorder_ != nullptr && event.verb != Verb::screenshot) {
        recorder_->record(event);
    }
    const auto& window = application_.keyWindow();
    const auto& v = event.values;
    switch (event.verb) {
        case Verb::tap:
        case Verb::taps: {
            std::vector<UITouch> touches;
            for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
                touches.emplace_back(CGPoint{v[i], v[i + 1]}, view());
            }
            touchEvents_.push_back(std::move(touches));
            break;
        }
        case Verb::look:
            pose_.yaw = v[0];
            pose_.pitch = v[1];
            pose_.roll = v.size() > 2 ? v[2] : 0.0;
            break;
        case Verb::move:
            pose_.x = v[0];
            pose_.y = v[1];
            pose_.z = v[2];
            break;
        case Verb::resize:
            if (window) {
                window->setFrame({{0.0, 0.0}, {v[0], v[1]}});
            }
            break;
        case Verb::hide:
            if (window) {
                window->hide();
            }
            break;
        case Verb::show:
            if (window) {
                window->makeKeyAndVisible();
            }
            break;
        case Verb::screenshot:
        case Verb::quit:
            break;
    }
}

void FrameLoop::runFrame(double now) {
    ARSKView* ar = arView();
    if (ar != nullptr) {
        ar->session().setDevicePose(pose_.transform());
        ar->session().setCameraIntrinsics(intrinsics_);
    }
    NSRunLoop::mainRunLoop().fireDueTimers();
    deliverTouches();
    const auto& window = application_.keyWindow();
    SKView* shown = view();
    if (shown != nullptr && window && window->isVisible()) {
        shown->stepFrame(now);
    }
    if (autoplay_ && ar != nullptr) {
        autoplay_->observe(ar->session(), now);
    }
}

void FrameLoop::deliverTouches() {
    const auto& window = application_.keyWindow();
    SKView* shown = view();
    if (shown != nullptr && window && window->isVisible()) {
        for (const auto& touches : touchEvents_) {
            shown->touchesBegan(touches);
        }
        if (!touchEvents_.empty() && shown->scene()) {
            sceneEnded_ = shown->scene()->hasEnded();
        }
    }
    touchEvents_.clear();
}

std::optional<double> FrameLoop::nextAutoplayTime() const {
    return autoplay_ ? autoplay_->nextTime() : std::nullopt;
}

void FrameLoop::runAutoplay(double now) {
    if (!autoplay_) {
        return;
    }
    for (const InputEvent& event : autoplay_->takeDue(now, pose_, viewSize())) {
        apply(event);
    }
}

}  // namespace rovuzu
