#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/core/InputEvent.hpp"

namespace rovuzu {

class FrameLoop;

// Plays a script's events into the frame loop as they fall due, for either host.
class ScriptPlayer {
  public:
    explicit ScriptPlayer(std::vector<InputEvent> events) : events_(std::move(events)) {}

    // The time of the next event, if any is left.
    [[nodiscard]] std::optional<double> nextTime() const;
    // Applies the events due by `now`, each at `now`: a window's frame applies, and records,
    // what fell due since the frame before at its own time. Files of screenshots asked for are
    // added to `screenshots`, to be taken after the frame. False once the script quits.
    bool applyDue(FrameLoop& loop, double now, std::vector<std::string>& screenshots);

  private:
    std::vector<InputEvent> events_;
    std::size_t next_ = 0;
};

}  // namespace rovuzu
