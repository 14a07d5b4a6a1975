#pragma once

#include <memory>
#include <string>
#include <vector>

namespace rovuzu {

// An animation or effect that a node runs. Actions are small immutable values: copies share
// one definition, so an action made once (a sound, say) stays the same action on every run.
// Running state lives in SKActionRun, one per node that runs the action.
class SKAction {
  public:
    enum class Kind { scaleTo, fadeOut, removeFromParent, playSound, group, sequence };

    struct Definition {
        Kind kind;
        double duration = 0.0;
        double value = 0.0;             // the scale for scaleTo
        std::string soundName;          // for playSound
        std::vector<SKAction> actions;  // for group and sequence
    };

    // Scales the node's xScale and yScale to `scale` over `duration` seconds.
    static SKAction scaleTo(double scale, double duration);
    // Takes the node's alpha to 0 over `duration` seconds.
    static SKAction fadeOutWithDuration(double duration);
    // Removes the node from its parent, at once.
    static SKAction removeFromParent();
    // Starts the sound and, without waiting for completion, ends at once. The name is a file
    // in the main bundle, with or without its extension.
    static SKAction playSoundFileNamed(std::string name, bool waitForCompletion);
    // Runs all the actions together; lasts as long as the longest.
    static SKAction group(std::vector<SKAction> actions);
    // Runs the actions one after another.
    static SKAction sequence(std::vector<SKAction> actions);

    [[nodiscard]] const Definition& definition() const { return *definition_; }
    [[nodiscard]] Kind kind() const { return definition_->kind; }
    [[nodiscard]] double duration() const { return definition_->duration; }
    // Two actions are the same when they share one definition.
    [[nodiscard]] bool isSameAction(const SKAction& other) const {
        return definition_ == other.definition_;
    }

  private:
    explicit SKAction(Definition definition);

    std::shared_ptr<const Definition> definition_;
};

}  // namespace rovuzu
