#include "platform/host/core/ScriptPlayer.hpp"

#include "platform/host/core/FrameLoop.hpp"

namespace rovuzu {

std::optional<double> ScriptPlayer::nextTime() const {
    if (next_ < events_.size()) {
        return events_[next_].time;
    }
    return std::nullopt;
}

bool ScriptPlayer::applyDue(FrameLoop& loop, double now, std::vector<std::string>& screenshots) {
    for (; next_ < events_.size() && events_[next_].time <= now; ++next_) {
        InputEvent event = events_[next_];
        if (event.verb == InputEvent::Verb::quit) {
            return false;
        }
        if (event.verb == InputEvent::Verb::screenshot) {
            screenshots.push_back(event.file);
        }
        event.time = now;
        loop.apply(event);
    }
    return true;
}

}  // namespace rovuzu
