#pragma once

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include "platform/arkit/ARAnchor.hpp"
#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Input.hpp"

namespace rovuzu {

class Stage;

// A player who does anything, at random but the same way again for the same seed.
//   roam:  taps anywhere, on the HUD and on empty space; turns to face a live target and taps
//          the middle of the view a frame later; taps with several fingers; looks and moves
//          about; hides and shows the view; resizes it. How often it aims is drawn per round,
//          so some rounds end early and some run out of time.
//   storm: a thousand taps a virtual second, every other one at the middle of the view, which
//          it turns to a live target every 50 ms; the rest anywhere.
class RandomPlayer {
  public:
    enum class Style { roam, storm };

    struct Move {
        TimedInput event;
        // For a tap at a target the player turned to face: that target's anchor.
        std::shared_ptr<ARAnchor> aimedAt;
    };

    RandomPlayer(std::uint32_t seed, Style style);

    [[nodiscard]] double nextTime() const { return nextTime_; }
    // The move due at nextTime(), seeing the round as it stands: the stage's view and pose,
    // whether the view is shown, and the anchors whose targets can still be hit.
    Move take(const Stage& stage, bool shown, const std::vector<std::shared_ptr<ARAnchor>>& live);

  private:
    Move roam(const Stage& stage, bool shown, const std::vector<std::shared_ptr<ARAnchor>>& live);
    Move storm(const Stage& stage, const std::vector<std::shared_ptr<ARAnchor>>& live);
    // Turns to face one of the live targets (a random look when there is none).
    Move aim(const Stage& stage, const std::vector<std::shared_ptr<ARAnchor>>& live);

    [[nodiscard]] static Move tapAt(CGPoint point);
    Move tapAnywhere(const Stage& stage);
    Move tapHud(const Stage& stage);
    Move tapEmptySpace(const Stage& stage);
    Move tapWithFingers(const Stage& stage);
    Move lookAnywhere();
    Move moveAnywhere();
    Move resize();
    [[nodiscard]] static Move hideOrShow(bool shown);

    double uniform(double low, double high);
    CGPoint pointAround(CGSize view);

    std::mt19937 random_;
    Style style_;
    double aimWeight_;
    double nextTime_;
    std::int64_t moves_ = 0;
    // After turning to a target: the tap that follows, and the target.
    bool tapPending_ = false;
    std::shared_ptr<ARAnchor> facing_;
};

}  // namespace rovuzu
