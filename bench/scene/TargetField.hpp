#pragma once

#include <cstddef>
#include <memory>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/spritekit/SKScene.hpp"

namespace rovuzu {

class ARSKViewDelegate;

// A scene like the game's at any size: `count` targets anchored in front of an AR view's
// camera and spread over the whole view, each a sprite of the game's own picture that the
// view's delegate makes for its anchor. Time is virtual and moves a 60th of a second a frame.
class TargetField {
  public:
    explicit TargetField(std::size_t count);
    TargetField(const TargetField&) = delete;
    TargetField& operator=(const TargetField&) = delete;
    ~TargetField();

    [[nodiscard]] ARSKView& view() { return *view_; }
    [[nodiscard]] SKScene& scene() { return *scene_; }
    [[nodiscard]] double now() const { return clock_.monotonicNow(); }

    // Adds `count` more anchors; their nodes come with the next frame.
    void addAnchors(std::size_t count);
    // Every target starts the game's hit sequence, made long enough to outlast any benchmark.
    void hitAll();
    // The device turns a little, as a player's hand does every frame.
    void turn();
    // Time moves on a frame, and the view runs its frame.
    void stepFrame();

  private:
    VirtualClock clock_;
    std::shared_ptr<ARSKView> view_;
    std::shared_ptr<SKScene> scene_;
    std::shared_ptr<ARSKViewDelegate> maker_;
    std::size_t added_ = 0;
    long turns_ = 0;
};

}  // namespace rovuzu
