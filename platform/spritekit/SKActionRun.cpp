#include "platform/spritekit/SKActionRun.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/spritekit/AudioOutput.hpp"
#include "platform/spritekit/SKNode.hpp"

namespace rovuzu {

namespace {

// The fraction of an interval action done at `elapsed`; exactly 1 at and after its end.
double progress(double elapsed, double duration) {
    if (duration <= 0.0 || elapsed >= duration) {
        return 1.0;
    }
    return std::max(elapsed, 0.0) / duration;
}

double interpolate(double from, double to, double t) {
    return t >= 1.0 ? to : from + (to - from) * t;
}

// A sound name may carry its extension ("QuickDeath.wav") or not ("QuickDeath").
std::optional<NSURL> soundURL(const std::string& name) {
    const NSBundle& bundle = NSBundle::mainBundle();
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) {
        if (auto url = bundle.URLForResource(name.substr(0, dot), name.substr(dot + 1))) {
            return url;
        }
    }
    constexpr std::array<std::string_view, 4> kExtensions{"wav", "caf", "mp3", "ogg"};
    for (const std::string_view extension : kExtensions) {
        if (auto url = bundle.URLForResource(name, extension)) {
            return url;
        }
    }
    return std::nullopt;
}

}  // namespace

SKActionRun::SKActionRun(SKAction action, double startTime, std::string key)
    : action_(std::move(action)), startTime_(startTime), key_(std::move(key)) {}

SKActionRun::SKActionRun(SKAction action) : action_(std::move(action)) {}

void SKActionRun::update(SKNode& node, double now) {
    if (!done_) {
        done_ = advance(node, now - startTime_);
    }
}

void SKActionRun::start(SKNode& node) {
    started_ = true;
    fromX_ = node.xScale();
    fromY_ = node.yScale();
    fromAlpha_ = node.alpha();
    for (const SKAction& member : action_.definition().actions) {
        members_.push_back(SKActionRun{member});
    }
}

bool SKActionRun::advance(SKNode& node, double elapsed) {
    if (!started_) {
        start(node);
    }
    const SKAction::Definition& definition = action_.definition();
    const double t = progress(elapsed, definition.duration);
    switch (definition.kind) {
        case SKAction::Kind::scaleTo:
            node.setXScale(interpolate(fromX_, definition.value, t));
            node.setYScale(interpolate(fromY_, definition.value, t));
            return t >= 1.0;
        case SKAction::Kind::fadeOut:
            node.setAlpha(interpolate(fromAlpha_, 0.0, t));
            return t >= 1.0;
        case SKAction::Kind::removeFromParent:
            node.removeFromParent();
            return true;
        case SKAction::Kind::playSound:
            playSound();
            return true;
        case SKAction::Kind::group:
            return advanceGroup(node, elapsed);
        case SKAction::Kind::sequence:
            return advanceSequence(node, elapsed);
    }
    return true;
}

bool SKActionRun::advanceGroup(SKNode& node, double elapsed) {
    bool allDone = true;
    for (SKActionRun& member : members_) {
        if (!member.done_) {
            member.done_ = member.advance(node, elapsed);
        }
        allDone = allDone && member.done_;
    }
    return allDone;
}

bool SKActionRun::advanceSequence(SKNode& node, double elapsed) {
    // A member that ends part-way through a frame hands the rest of the frame to the next.
    while (current_ < members_.size()) {
        SKActionRun& member = members_[current_];
        member.done_ = member.advance(node, elapsed - currentStart_);
        if (!member.done_) {
            return false;
        }
        currentStart_ += member.action_.duration();
        ++current_;
    }
    return true;
}

void SKActionRun::playSound() const {
    const std::string& name = action_.definition().soundName;
    if (const auto url = soundURL(name)) {
        AudioOutput::current().playSound(*url);
    } else {
        AudioOutput::current().reportMissingSound(name);
    }
}

}  // namespace rovuzu
