#pragma once

#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/InputEvent.hpp"
#include "platform/host/core/PoseController.hpp"
#include "platform/host/core/ScriptPlayer.hpp"

namespace rovuzu {

class CameraFeed;
class UIApplication;
class VirtualClock;

// The turn of a frame, the same for every host: a window, a headless run and a page in a
// browser feed it the player's input as it comes, and once a frame call `turn`, which says
// what to draw (a frame, when it differs from the one drawn last), which screenshots are due and
// whether the run is over. Within a turn:
//   1. taps that came since the last turn act first, in a turn of their own just after it,
//      on the frame the player saw, so that the very next frame shows what they did;
//   2. the game clock moves to `now` and stands still for the rest of the turn;
//   3. the host's own changes apply: the view's size, focus and background;
//   4. the device moves: the camera's tracked turn, then the player's controls;
//   5. the script's events due by now, then the built-in player's;
//   6. the frame loop runs: timers, touches, the view's frame.
// Everything in steps 3 to 5 reaches the frame loop as input events, so a recording of any
// host replays headless to the same round.
class HostLoop {
  public:
    static constexpr double kFrameRate = 60.0;
    // A run that stops by itself ends this long after the round is over...
    static constexpr double kAfterRound = 5.0;
    // ...or at this time.
    static constexpr double kTimeLimit = 120.0;

    struct Settings {
        // The run ends at this time (seconds from launch).
        std::optional<double> quitAfter;
        // Without quitAfter, the run ends kAfterRound after the round is over, or at
        // kTimeLimit; a window or a page goes on until the player leaves.
        bool stopsByItself = false;
        // A screenshot taken after the last turn.
        std::optional<std::string> finalScreenshot;
        // A window or page draws every frame that changed; a headless run draws only
        // screenshots.
        bool drawsFrames = true;
        // Whether frames that are not screenshots may show the world coarser while the camera
        // moves, for a backend that paints it slowly.
        bool quickWhileMoving = false;

        // A run without a window: it stops by itself and draws only screenshots.
        static Settings headless() {
            Settings settings;
            settings.stopsByItself = true;
            settings.drawsFrames = false;
            return settings;
        }
    };

    // What the host does after a turn.
    struct Turn {
        double time = 0.0;
        // The frame to draw now; null when there is nothing new to draw.
        const Frame* frame = nullptr;
        // PNG files to write of this turn's frame, once drawn.
        std::vector<std::string> screenshots;
        // The run is over: the host stops after drawing this turn.
        bool quit = false;
    };

    // The application's focus and visibility, as the host's window or page sees it.
    enum class Lifecycle { resignActive, becomeActive, enterBackground, enterForeground };

    // Drives `frames` for the launched `application`; the clock must be the one installed for
    // the run. Frames at 60 a second start at the clock's time.
    HostLoop(UIApplication& application, FrameLoop& frames, const Settings& settings,
             std::vector<InputEvent> script, VirtualClock& clock);

    // Fingers (or a click) that came down together, in view points: one touch event.
    void touch(std::vector<CGPoint> points);
    // Keys, drags and a gyro that turn and walk the device.
    [[nodiscard]] PoseController& controls() { return controls_; }
    void resize(CGSize viewSize);
    void lifecycle(Lifecycle change);
    // The player leaves: the next turn is the last.
    void quit() { quitAsked_ = true; }
    // A camera whose picture and tracked turns stand in for the built-in world; null for none.
    void setCamera(CameraFeed* camera) { camera_ = camera; }
    [[nodiscard]] CameraFeed* camera() const { return camera_; }
    // Target pixels per view point, for the frames to draw.
    void setPixelsPerPoint(double pixelsPerPoint) { pixelsPerPoint_ = pixelsPerPoint; }
    // Whether the built-in world may be drawn yet; screenshots wait for it.
    void setWorldShown(bool shown) { worldShown_ = shown; }
    // The picture on screen may be lost: the next frame is drawn even when unchanged.
    void redraw() { mustRedraw_ = true; }

    // When something next happens on its own: a frame at 60 a second, a timer, a scripted or
    // built-in player's move, or the end of the run. A host on a virtual clock jumps there.
    [[nodiscard]] double nextDue() const;
    // One turn at `now` (seconds since launch; a time before the last turn counts as that).
    Turn turn(double now);

    [[nodiscard]] FrameLoop& frames() { return frames_; }
    [[nodiscard]] const FrameLoop& frames() const { return frames_; }
    [[nodiscard]] bool inBackground() const { return background_; }

  private:
    void deliverTouches();
    [[nodiscard]] const Frame* frameToDraw(const std::vector<std::string>& screenshots);
    void applyHostChanges(double now);
    void moveDevice(double now, double seconds);
    void turnTo(const DevicePose& next, double now);
    [[nodiscard]] bool isOver(double now);

    UIApplication& application_;
    Settings settings_;
    FrameLoop& frames_;
    VirtualClock& clock_;
    ScriptPlayer script_;
    PoseController controls_;
    CameraFeed* camera_ = nullptr;
    std::vector<std::vector<CGPoint>> touches_;
    std::optional<CGSize> resize_;
    std::vector<Lifecycle> changes_;
    double previous_ = 0.0;
    long frame_ = 0;  // the next 60 Hz frame, for hosts on a virtual clock
    double end_ = std::numeric_limits<double>::infinity();
    bool sceneWasOver_ = false;
    bool background_ = false;
    bool quitAsked_ = false;
    double pixelsPerPoint_ = 1.0;
    bool worldShown_ = true;
    bool mustRedraw_ = true;
    std::optional<Frame> drawn_;  // the frame drawn last
};

}  // namespace rovuzu
