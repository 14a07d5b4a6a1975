#pragma once

#include <SDL2/SDL.h>

#include <cstddef>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/foundation/RealClock.hpp"
#include "platform/host/core/HostLoop.hpp"

namespace rovuzu {

class Renderer;

// Runs the application in a desktop window. Each turn reads SDL's events (taps, turning and
// walking, resizes, focus and minimising) into the host loop, lets it take its turn at the real
// time since launch, and draws and presents in step with the display, or at most 60 times a
// second where presenting does not wait for it. A frame that would show exactly what is on
// screen is not drawn.
class WindowHost {
  public:
    WindowHost();
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;
    ~WindowHost();

    // Opens the window for a view of `viewSize` points, scaled to fit the display, and starts
    // painting the built-in world unless `paintsWorld` is false (a camera's picture is shown
    // instead). Returns false (after one line on stderr) when there is no display.
    bool open(CGSize viewSize, bool paintsWorld);

    // Runs until the run is over; returns the time it ended at.
    double run(HostLoop& loop);

  private:
    void handle(const SDL_Event& event, HostLoop& loop);
    void handleKey(const SDL_KeyboardEvent& key, bool down, HostLoop& loop);
    void handleWindow(const SDL_WindowEvent& window, HostLoop& loop);
    void awaitFrame(HostLoop& loop, double due);
    [[nodiscard]] std::optional<CGPoint> tapPoint(const SDL_Event& event,
                                                  const HostLoop& loop) const;
    [[nodiscard]] static double idleUntil(double now);
    void draw(const HostLoop& loop, const Frame& frame,
              const std::vector<std::string>& screenshots);
    [[nodiscard]] CGPoint toViewPoints(double windowX, double windowY) const;
    // The window's pixels a view point, and the pixels a point it is drawn at: as many, or fewer.
    [[nodiscard]] double drawablePixelsPerPoint() const;
    [[nodiscard]] double pixelsPerPoint() const;

    RealClock realClock_;
    double launchedAt_ = 0.0;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* sdlRenderer_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    double windowPointScale_ = 1.0;  // window coordinates per view point
    std::vector<CGPoint> fingers_;   // taps since the last turn: one touch event
    std::future<void> worldPainting_;
    bool dragging_ = false;
    bool minimised_ = false;
};

}  // namespace rovuzu
