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
#include "platform/host/core/HostSession.hpp"

namespace rovuzu {

class Renderer;

// Runs the application in a desktop window. It translates SDL's events into the session's
// inputs and controls (each click or finger down is one touch event; turning and walking,
// resizes, focus and minimising), lets the session take its turn at the real time since
// launch, and draws and presents in step with the display, or at most 60 times a second where
// presenting does not wait for it. A frame that would show exactly what is on screen is not
// drawn.
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

    // Runs until the run is over.
    void run(HostSession& session);

  private:
    void handle(const SDL_Event& event, HostSession& session);
    void handleKey(const SDL_KeyboardEvent& key, bool down, HostSession& session);
    void handleWindow(const SDL_WindowEvent& window, HostSession& session);
    void awaitFrame(HostSession& session, double due);
    [[nodiscard]] std::optional<CGPoint> tapPoint(const SDL_Event& event,
                                                  const HostSession& session) const;
    [[nodiscard]] static double idleUntil(double now);
    void draw(const HostSession& session, const Frame& frame,
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
    std::future<void> worldPainting_;
    bool dragging_ = false;
    bool minimised_ = false;
};

}  // namespace rovuzu
