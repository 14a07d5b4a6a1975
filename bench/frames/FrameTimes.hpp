#pragma once

#include <vector>

namespace rovuzu {

// Durations of frames in milliseconds, and their percentiles.
class FrameTimes {
  public:
    void add(double milliseconds) { times_.push_back(milliseconds); }
    [[nodiscard]] std::size_t count() const { return times_.size(); }

    // The smallest time that `fraction` of the frames took at most (nearest rank); 0 when empty.
    [[nodiscard]] double percentile(double fraction) const;
    [[nodiscard]] double p50() const { return percentile(0.5); }
    [[nodiscard]] double p99() const { return percentile(0.99); }

  private:
    std::vector<double> times_;
};

}  // namespace rovuzu
