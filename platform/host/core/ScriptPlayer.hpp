#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "platform/host/core/Input.hpp"

namespace rovuzu {

// Hands a script's inputs to the host session as they fall due.
class ScriptPlayer {
  public:
    explicit ScriptPlayer(std::vector<TimedInput> events) : events_(std::move(events)) {}

    // The time of the next input, if any is left.
    [[nodiscard]] std::optional<double> nextTime() const;
    // The inputs due by `now`, in order, up to a quit: a window's frame applies, and records,
    // what fell due since the frame before at its own time.
    std::vector<Input> takeDue(double now);

  private:
    std::vector<TimedInput> events_;
    std::size_t next_ = 0;
};

}  // namespace rovuzu
