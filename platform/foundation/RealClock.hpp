#pragma once

#include "platform/foundation/Clock.hpp"

namespace rovuzu {

// The machine's clocks: steady for intervals, system for dates.
class RealClock final : public Clock {
  public:
    [[nodiscard]] double monotonicNow() const override;
    [[nodiscard]] double wallNow() const override;
};

}  // namespace rovuzu
