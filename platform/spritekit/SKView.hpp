#pragma once

#include <deque>
#include <memory>
#include <vector>

#include "platform/uikit/UITouch.hpp"
#include "platform/uikit/UIView.hpp"

namespace rovuzu {

class SKScene;

// A view that presents a scene. It keeps the scene at twice its own size (two scene units per
// point), hands touches to the scene, and runs the scene's frame: update, then actions.
class SKView : public UIView {
  public:
    using UIView::UIView;
    SKView(const SKView&) = delete;
    SKView& operator=(const SKView&) = delete;
    ~SKView() override;

    static constexpr double kSceneUnitsPerPoint = 2.0;

    // Shows the scene and calls its didMoveToView; a scene shown before is let go of.
    void presentScene(std::shared_ptr<SKScene> scene);
    [[nodiscard]] const std::shared_ptr<SKScene>& scene() const { return scene_; }

    [[nodiscard]] bool showsFPS() const { return showsFPS_; }
    void setShowsFPS(bool shows) { showsFPS_ = shows; }
    [[nodiscard]] bool showsNodeCount() const { return showsNodeCount_; }
    void setShowsNodeCount(bool shows) { showsNodeCount_ = shows; }

    void setFrame(CGRect frame) override;

    // One frame at `currentTime`: the scene's update, then its actions.
    virtual void stepFrame(double currentTime);
    // Touches that began together, in view points, go to the scene as one event.
    void touchesBegan(const std::vector<UITouch>& touches);

    // Frames per second over the last second, for the read-out.
    [[nodiscard]] double framesPerSecond() const;
    // Nodes drawn in the last frame, for the read-out.
    [[nodiscard]] std::size_t nodeCount() const;

  private:
    void fitSceneToView();

    std::shared_ptr<SKScene> scene_;
    bool showsFPS_ = false;
    bool showsNodeCount_ = false;
    std::deque<double> frameTimes_;
};

}  // namespace rovuzu
