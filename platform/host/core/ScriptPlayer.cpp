#include "platform/host/core/ScriptPlayer.hpp"

namespace rovuzu {

std::optional<double> ScriptPlayer::nextTime() const {
    if (next_ < events_.size()) {
        return events_[next_].time;
    }
    return std::nullopt;
}

std::vector<Input> ScriptPlayer::takeDue(double now) {
    std::vector<Input> due;
    while (next_ < events_.size() && events_[next_].time <= now) {
        due.push_back(events_[next_++].input);
        if (std::holds_alternative<input::Quit>(due.back())) {
            next_ = events_.size();  // nothing after a quit plays
        }
    }
    return due;
}

}  // namespace rovuzu
