#include "platform/host/core/HostLoop.hpp"

#include <algorithm>
#include <cmath>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/FrameLayout.hpp"
#include "platform/uikit/UIApplication.hpp"

namespace rovuzu {

HostLoop::HostLoop(UIApplication& application, FrameLoop& frames, const Settings& settings,
                   std::vector<InputEvent> script, VirtualClock& clock)
    : application_(application),
      settings_(settings),
      frames_(frames),
      clock_(clock),
      script_(std::move(script)),
      previous_(clock.monotonicNow()),
      frame_(static_cast<long>(std::ceil(clock.monotonicNow() * kFrameRate))) {
    if (settings.quitAfter) {
        end_ = *settings.quitAfter;
    } else if (settings.stopsByItself) {
        end_ = kTimeLimit;
    }
}

void HostLoop::touch(std::vector<CGPoint> points) {
    if (!points.empty()) {
        touches_.push_back(std::move(points));
    }
}

void HostLoop::resize(CGSize viewSize) {
    resize_ = viewSize;
}

void HostLoop::lifecycle(Lifecycle change) {
    changes_.push_back(change);
}

double HostLoop::nextDue() const {
    double next = static_cast<double>(frame_) / kFrameRate;
    if (const auto timer = NSRunLoop::mainRunLoop().nextFireDate()) {
        next = std::min(next, *timer);
    }
    if (const auto event = script_.nextTime()) {
        next = std::min(next, *event);
    }
    if (const auto move = frames_.nextAutoplayTime()) {
        next = std::min(next, *move);
    }
    return std::min(std::max(next, clock_.monotonicNow()), end_);
}

HostLoop::Turn HostLoop::turn(double now) {
    deliverTouches();
    now = std::max(now, previous_);
    clock_.advanceTo(now);
    applyHostChanges(now);
    moveDevice(now, now - previous_);
    Turn turn;
    turn.time = now;
    const bool scriptGoesOn = script_.applyDue(frames_, now, turn.screenshots);
    frames_.runAutoplay(now);
    frames_.runFrame(now);
    if (now >= static_cast<double>(frame_) / kFrameRate) {
        ++frame_;
    }
    previous_ = now;
    turn.quit = !scriptGoesOn || isOver(now);
    if (turn.quit) {
        if (settings_.finalScreenshot) {
            turn.screenshots.push_back(*settings_.finalScreenshot);
        }
        frames_.apply({now, InputEvent::Verb::quit, {}, {}});
    }
    turn.frame = frameToDraw(turn.screenshots);
    return turn;
}

const Frame* HostLoop::frameToDraw(const std::vector<std::string>& screenshots) {
    const SKView* view = frames_.view();
    const bool shot = !screenshots.empty();
    if (view == nullptr || !(shot || (settings_.drawsFrames && !background_))) {
        return nullptr;
    }
    FrameLayout::Surroundings surroundings;
    if (camera_ != nullptr) {
        surroundings.cameraPicture = camera_->pictureNumber();
        surroundings.notice = camera_->notice();
    }
    surroundings.worldShown = worldShown_ || shot;
    surroundings.quickWhileMoving = settings_.quickWhileMoving && !shot;
    Frame next = FrameLayout::of(*view, pixelsPerPoint_, surroundings, drawn_ ? &*drawn_ : nullptr);
    if (!shot && !mustRedraw_ && drawn_ && next == *drawn_) {
        return nullptr;
    }
    mustRedraw_ = false;
    drawn_ = std::move(next);
    return &*drawn_;
}

// Taps act just after the frame that was on screen when they came, in a turn of their own, as
// a headless run replays them.
void HostLoop::deliverTouches() {
    if (touches_.empty()) {
        return;
    }
    const double at = std::nextafter(previous_, std::numeric_limits<double>::infinity());
    clock_.advanceTo(at);
    for (const auto& points : touches_) {
        std::vector<double> values;
        for (const CGPoint point : points) {
            values.insert(values.end(), {point.x, point.y});
        }
        const auto verb = points.size() == 1 ? InputEvent::Verb::tap : InputEvent::Verb::taps;
        frames_.apply({at, verb, std::move(values), {}});
    }
    touches_.clear();
    frames_.runFrame(at);
    previous_ = at;
}

void HostLoop::applyHostChanges(double now) {
    if (resize_ && *resize_ != frames_.viewSize()) {
        frames_.apply({now, InputEvent::Verb::resize, {resize_->width, resize_->height}, {}});
    }
    resize_.reset();
    for (const Lifecycle change : changes_) {
        switch (change) {
            case Lifecycle::resignActive:
                controls_.releaseAll();
                application_.resignActive();
                break;
            case Lifecycle::becomeActive:
                application_.becomeActive();
                break;
            case Lifecycle::enterBackground:
                background_ = true;
                application_.enterBackground();
                break;
            case Lifecycle::enterForeground:
                background_ = false;
                mustRedraw_ = true;
                application_.enterForeground();
                break;
        }
    }
    changes_.clear();
}

void HostLoop::moveDevice(double now, double seconds) {
    if (camera_ != nullptr) {
        if (const auto tracked = camera_->update(frames_.pose(), now)) {
            turnTo(*tracked, now);
        }
        frames_.setCameraIntrinsics(camera_->intrinsics());
    }
    turnTo(controls_.advance(frames_.pose(), seconds), now);
}

// Turning and walking become look and move events, so a recording replays them exactly.
void HostLoop::turnTo(const DevicePose& next, double now) {
    const DevicePose& pose = frames_.pose();
    if (next.yaw != pose.yaw || next.pitch != pose.pitch || next.roll != pose.roll) {
        frames_.apply({now, InputEvent::Verb::look, {next.yaw, next.pitch, next.roll}, {}});
    }
    if (next.x != pose.x || next.y != pose.y || next.z != pose.z) {
        frames_.apply({now, InputEvent::Verb::move, {next.x, next.y, next.z}, {}});
    }
}

bool HostLoop::isOver(double now) {
    if (frames_.sceneEnded() && !sceneWasOver_) {
        sceneWasOver_ = true;
        if (settings_.stopsByItself && !settings_.quitAfter) {
            end_ = std::min(end_, now + kAfterRound);
        }
    }
    return quitAsked_ || now >= end_;
}

}  // namespace rovuzu
