#pragma once

#include <SDL2/SDL.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/Stage.hpp"
#include "platform/host/sdl/Renderer.hpp"
#include "platform/uikit/UIApplication.hpp"

namespace rovuzu {

// The real game under a frame harness: the application launched through UIApplication with the
// real resources, stepped by the hosts' own stage, and drawn by the game's renderer as the
// window host draws it. The harness anchors targets in view itself and moves time on a 60th of
// a second a frame, so every run shows the same frames.
class GameFrames {
  public:
    GameFrames(SDL_Renderer* renderer, const std::filesystem::path& resources, int targets);
    GameFrames(const GameFrames&) = delete;
    GameFrames& operator=(const GameFrames&) = delete;
    ~GameFrames();

    [[nodiscard]] bool isRunning() const { return loop_ != nullptr; }

    // One frame of the stage with the device turned to `yaw` degrees.
    void update(double yaw);
    // Draws the view as the window host does, and says so; the caller presents it. With
    // `skipUnchanged`, as in a window, a frame that would repeat the last one is not drawn.
    bool draw(bool skipUnchanged);
    // Writes what was drawn last, before it is presented.
    void savePNG(const std::filesystem::path& file) const { renderer_->savePNG(file); }

    [[nodiscard]] std::size_t anchorCount() const;

  private:
    void placeTargets(int count);

    VirtualClock clock_;
    UIApplication application_;
    std::unique_ptr<Stage> loop_;
    SDL_Renderer* sdl_;
    std::unique_ptr<Renderer> renderer_;
    std::optional<Frame> drawn_;
    double now_ = 0.0;
};

}  // namespace rovuzu
