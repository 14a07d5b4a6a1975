#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Input.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {

class ARSession;

// A built-in player: half a second after each target is placed it turns the device to face
// it, and on the next frame taps the middle of the view.
class Autoplay {
  public:
    static constexpr double kReactionTime = 0.5;
    static constexpr double kTapDelay = 1.0 / 60.0;

    // Notices anchors added since the last call.
    void observe(const ARSession& session, double now);
    // The time of the next planned move, if any.
    [[nodiscard]] std::optional<double> nextTime() const;
    // The moves due at `now`, as inputs.
    std::vector<Input> takeDue(double now, const DevicePose& pose, CGSize viewSize);

  private:
    struct Plan {
        double lookAt;
        simd_float3 target;  // in the device's world
        bool looked = false;
    };

    std::size_t seenAnchors_ = 0;
    std::deque<Plan> plans_;
};

}  // namespace rovuzu
