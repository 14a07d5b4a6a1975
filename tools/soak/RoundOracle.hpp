#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/arkit/ARAnchor.hpp"
#include "platform/host/core/Input.hpp"
#include "tools/soak/SoakFigures.hpp"

namespace rovuzu {

class Stage;
class NSCoder;
class Scene;
class SKNode;
class UIApplication;

// What the round must look like after every turn of the main stage, worked out on its own from
// the clock and the player's taps rather than read back from the game:
//   - targets are placed on the spawn timer's ticks, every three seconds, 25 in all;
//   - a tap (the first finger of a touch event) hits the front-most live target under it, if
//     any, and nothing else; a hit target fades and leaves the scene 0.4 s later;
//   - the HUD counts the live targets plus the anchors still waiting for a sprite;
//   - the round ends once, with the hit that leaves none of the 25, never before;
//   - one debug line per delivered touch event, one hit sound per hit.
class RoundOracle {
  public:
    RoundOracle(std::string round, SoakFigures& figures);

    // Before an input goes in: works out what a tap will hit. `aimedAt` is the target the
    // player turned to face for this tap, if any: when it is still live, the tap must hit.
    void expect(const TimedInput* event, const ARAnchor* aimedAt, const UIApplication& application,
                const Stage& stage);
    // After the loop's turn at `now`, given what the game printed and played so far.
    void check(double now, const TimedInput* event, std::int64_t linesPrinted,
               std::int64_t soundsPlayed, const UIApplication& application, const Stage& stage);

    // The anchors whose targets can be hit, for the player to aim at.
    [[nodiscard]] std::vector<std::shared_ptr<ARAnchor>> liveAnchors(const Stage& stage) const;
    [[nodiscard]] bool roundOver() const { return endTime_.has_value(); }

    // Records a check; a broken one becomes a failure naming the round, the time and the input
    // (or what `describe` last said).
    bool require(bool holds, const std::string& what);
    void describe(std::string context) { context_ = std::move(context); }

  private:
    struct Hit {
        std::weak_ptr<SKNode> node;
        double time = 0.0;
    };

    [[nodiscard]] bool isLive(const SKNode& node, const Stage& stage) const;
    void recordHit(double now);
    void checkCounts(double now, const Scene& scene, const Stage& stage);
    void checkAnchors(const Scene& scene, const NSCoder& report, bool shown, const Stage& stage);
    void checkEnding(const Scene& scene, const NSCoder& report);
    void checkFading(double now, bool shown);

    std::string round_;
    SoakFigures& figures_;
    std::string context_;
    std::unordered_map<const SKNode*, Hit> hits_;
    std::set<const ARAnchor*> given_;  // anchors that have had a sprite
    std::shared_ptr<SKNode> predicted_;
    std::int64_t expectedLines_ = 0;
    std::int64_t hitCount_ = 0;
    std::optional<double> endTime_;
};

}  // namespace rovuzu
