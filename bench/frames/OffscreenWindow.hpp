#pragma once

#include <SDL2/SDL.h>

#include <string>

namespace rovuzu {

// A window and renderer made the way the game's window host makes them, at an exact size in
// pixels. Under the offscreen video driver nothing reaches a screen, yet every present goes
// through the window's framebuffer as it would on a desktop.
class OffscreenWindow {
  public:
    OffscreenWindow(int width, int height);
    OffscreenWindow(const OffscreenWindow&) = delete;
    OffscreenWindow& operator=(const OffscreenWindow&) = delete;
    ~OffscreenWindow();

    [[nodiscard]] bool isOpen() const { return renderer_ != nullptr; }
    [[nodiscard]] SDL_Renderer* renderer() const { return renderer_; }
    // The video driver and renderer SDL chose, for the record.
    [[nodiscard]] std::string description() const;

    void present() const { SDL_RenderPresent(renderer_); }

  private:
    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

}  // namespace rovuzu
