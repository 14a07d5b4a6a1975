#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/spritekit/SKAction.hpp"

namespace rovuzu {

class SKNode;

// One run of an action on one node. It works from the time elapsed since the run began, so
// frames of any length add up without drift, and every action lands exactly on its end value.
// Starting values (the node's scale, its alpha) are taken at the first update.
class SKActionRun {
  public:
    SKActionRun(SKAction action, double startTime, std::string key);

    // Brings the run to `now`. Does nothing once the run is done.
    void update(SKNode& node, double now);

    [[nodiscard]] bool isDone() const { return done_; }
    [[nodiscard]] const std::string& key() const { return key_; }
    [[nodiscard]] const SKAction& action() const { return action_; }

  private:
    explicit SKActionRun(SKAction action);

    // Returns true when the action has finished at `elapsed` seconds into the run.
    bool advance(SKNode& node, double elapsed);
    void start(SKNode& node);
    bool advanceGroup(SKNode& node, double elapsed);
    bool advanceSequence(SKNode& node, double elapsed);
    void playSound() const;

    SKAction action_;
    double startTime_ = 0.0;
    std::string key_;
    bool started_ = false;
    bool done_ = false;
    double fromX_ = 1.0;
    double fromY_ = 1.0;
    double fromAlpha_ = 1.0;
    std::vector<SKActionRun> members_;
    std::size_t current_ = 0;    // the sequence's running member
    double currentStart_ = 0.0;  // when, into the sequence, that member began
};

}  // namespace rovuzu
