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
#include "platform/host/InputEvent.hpp"
#include "platform/host/Options.hpp"
#include "platform/host/PoseController.hpp"
#include "platform/host/ScriptPlayer.hpp"

namespace rovuzu {

class CameraInput;
class FrameLoop;
class Renderer;
class UIApplication;
class VirtualClock;

// Runs the application in a desktop window. Each turn reads SDL's events (taps, turning and
// walking, resizes, focus and minimising), moves the game clock to the real time since launch,
// runs the frame loop, draws and presents in step with the display, or at most 60 times a
// second where presenting does not wait for it. The game clock stands still within a turn, so
// input is applied, and recorded, at the time of its frame; only taps differ: they act on the
// frame that was on screen, in a turn of their own just after its time, so that the very next
// frame shows what they did. A frame that would show exactly what is on screen is not drawn.
class WindowHost {
  public:
    WindowHost(const Options& options, std::vector<InputEvent> script, VirtualClock& clock);
    WindowHost(const WindowHost&) = delete;
    WindowHost& operator=(const WindowHost&) = delete;
    ~WindowHost();

    // Opens the window for a view of `viewSize` points, scaled to fit the display. Returns false
    // (after one line on stderr) when there is no display.
    bool open(CGSize viewSize);

    // Runs until the player quits; returns the time the run ended at.
    double run(UIApplication& application, FrameLoop& loop);

    // A real camera picture and its tracked pose, instead of the built-in world.
    void setCamera(CameraInput* camera) { camera_ = camera; }

  private:
    void handle(const SDL_Event& event, UIApplication& application, FrameLoop& loop, double now);
    void handleKey(const SDL_KeyboardEvent& key, bool down);
    void handleWindow(const SDL_WindowEvent& window, UIApplication& application, FrameLoop& loop,
                      double now);
    void moveDevice(FrameLoop& loop, double now, double seconds);
    void awaitFrame(const FrameLoop& loop, double due);
    double deliverTaps(FrameLoop& loop, double shown);
    [[nodiscard]] std::optional<CGPoint> tapPoint(const SDL_Event& event,
                                                  const FrameLoop& loop) const;
    [[nodiscard]] static double idleUntil(double now);
    void draw(const FrameLoop& loop);
    [[nodiscard]] CGPoint toViewPoints(double windowX, double windowY) const;
    [[nodiscard]] double pixelsPerPoint() const;

    const Options& options_;
    ScriptPlayer script_;
    VirtualClock& clock_;
    RealClock realClock_;
    double launchedAt_ = 0.0;
    SDL_Window* window_ = nullptr;
    SDL_Renderer* sdlRenderer_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    CameraInput* camera_ = nullptr;
    std::uint64_t shownPicture_ = 0;
    double windowPointScale_ = 1.0;  // window coordinates per view point
    PoseController controller_;
    std::vector<CGPoint> fingers_;
    std::vector<SDL_Event> pending_;  // input that came between frames, for the next one
    std::future<void> worldPainting_;
    std::vector<std::string> screenshots_;
    bool dragging_ = false;
    bool minimised_ = false;
    bool mustRedraw_ = true;  // the window's picture may be lost: draw even an unchanged frame
    bool quit_ = false;
};

}  // namespace rovuzu
