#pragma once

namespace rovuzu {

// A point on the wall clock, in seconds since the Unix epoch.
class Date {
  public:
    // Now, as the current clock tells it.
    Date();
    explicit Date(double secondsSince1970) : seconds_(secondsSince1970) {}

    [[nodiscard]] double timeIntervalSince1970() const { return seconds_; }
    // Seconds from `start` to this date; negative when `start` is later.
    [[nodiscard]] double timeIntervalSince(const Date& start) const {
        return seconds_ - start.seconds_;
    }

  private:
    double seconds_;
};

}  // namespace rovuzu
