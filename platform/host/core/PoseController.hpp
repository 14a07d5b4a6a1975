#pragma once

#include <array>
#include <cstddef>

#include "platform/world/DevicePose.hpp"

namespace rovuzu {

// Turns the desktop's controls into device movement: a right-drag or the arrow keys turn,
// W A S D walk, Q E go down and up, and a controller's gyro turns the device as it turns.
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

    // A drag of so many view points: right turns right, up looks up.
    void drag(double dx, double dy);
    void setKey(Key key, bool down);
    // Angular velocity in radians per second about the device's own x, y and z axes.
    void gyro(double x, double y, double z, double seconds);
    // Releases every key, as when the window loses focus.
    void releaseAll();

    // The pose after `seconds` of the held keys and the drags and gyro turns since last time.
    DevicePose advance(const DevicePose& pose, double seconds);

  private:
    [[nodiscard]] double axis(Key negative, Key positive) const;
    [[nodiscard]] bool held(Key key) const { return held_.at(static_cast<std::size_t>(key)); }

    std::array<bool, static_cast<std::size_t>(Key::count)> held_{};
    double yawTurn_ = 0.0;
    double pitchTurn_ = 0.0;
    simd_float4x4 gyroTurn_{1.0F};
};

}  // namespace rovuzu
