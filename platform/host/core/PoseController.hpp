#pragma once

#include <array>
#include <cstddef>
#include <optional>

#include "platform/world/DevicePose.hpp"

namespace rovuzu {

// Turns the desktop's controls into device movement: a right-drag or the arrow keys turn
// (yaw and pitch, the pitch held short of straight up and down so the horizon stays), W A S D
// walk, Q E go down and up, and a controller's gyro turns the device as it turns, freely.
class PoseController {
  public:
    enum class Key {
        left,
        right,
        up,
        down,
        forward,
        back,
        strafeLeft,
        strafeRight,
        lower,
        raise,
        count
    };

    static constexpr double kDegreesPerPoint = 0.25;
    static constexpr double kTurnDegreesPerSecond = 90.0;
    static constexpr double kMetresPerSecond = 1.0;
    static constexpr double kPitchLimit = 89.0;
    // A gap in the gyro's reports longer than this is a pause, not a turn to integrate.
    static constexpr double kLongestGyroStep = 0.25;

    // A drag of so many view points: right turns right, up looks up.
    void drag(double dx, double dy);
    void setKey(Key key, bool down);
    // A gyro report: angular velocity in radians per second about the device's own x, y and z
    // axes, measured at `timestamp` seconds on the gyro's own clock. Each report turns the
    // device for the time since the report before it.
    void gyro(double x, double y, double z, double timestamp);
    // Releases every key, as when the window loses focus.
    void releaseAll();

    // The pose after `seconds` of the held keys and the drags and gyro turns since last time;
    // nothing when none of them moved the device, so that other sources keep it as they left it.
    std::optional<DevicePose> advance(const DevicePose& pose, double seconds);

  private:
    [[nodiscard]] double axis(Key negative, Key positive) const;
    [[nodiscard]] bool held(Key key) const { return held_.at(static_cast<std::size_t>(key)); }
    [[nodiscard]] bool anyHeld() const;
    void turnAndWalk(DevicePose& pose, double seconds);

    std::array<bool, static_cast<std::size_t>(Key::count)> held_{};
    double yawTurn_ = 0.0;
    double pitchTurn_ = 0.0;
    glm::dquat gyroTurn_{1.0, 0.0, 0.0, 0.0};
    bool gyroTurned_ = false;
    std::optional<double> lastGyroReport_;
};

}  // namespace rovuzu
