#include "platform/spritekit/SKAction.hpp"

#include <algorithm>
#include <cmath>

namespace rovuzu {

namespace {

// A negative or non-finite duration would never end; treat it as instant.
double safeDuration(double duration) {
    return std::isfinite(duration) && duration > 0.0 ? duration : 0.0;
}

}  // namespace

SKAction::SKAction(Definition definition)
    : definition_(std::make_shared<const Definition>(std::move(definition))) {}

SKAction SKAction::scaleTo(double scale, double duration) {
    return SKAction{{Kind::scaleTo, safeDuration(duration), scale, {}, {}}};
}

SKAction SKAction::fadeOutWithDuration(double duration) {
    return SKAction{{Kind::fadeOut, safeDuration(duration), 0.0, {}, {}}};
}

SKAction SKAction::removeFromParent() {
    return SKAction{{Kind::removeFromParent, 0.0, 0.0, {}, {}}};
}

SKAction SKAction::playSoundFileNamed(std::string name, bool /*waitForCompletion*/) {
    // Waiting for completion would need the sound's length; the game never asks for it.
    return SKAction{{Kind::playSound, 0.0, 0.0, std::move(name), {}}};
}

SKAction SKAction::group(std::vector<SKAction> actions) {
    double longest = 0.0;
    for (const SKAction& action : actions) {
        longest = std::max(longest, action.duration());
    }
    return SKAction{{Kind::group, longest, 0.0, {}, std::move(actions)}};
}

SKAction SKAction::sequence(std::vector<SKAction> actions) {
    double total = 0.0;
    for (const SKAction& action : actions) {
        total += action.duration();
    }
    return SKAction{{Kind::sequence, total, 0.0, {}, std::move(actions)}};
}

}  // namespace rovuzu
