#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/core/Autoplay.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/FramePicker.hpp"
#include "platform/host/core/Input.hpp"
#include "platform/host/core/PoseController.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/core/ScriptPlayer.hpp"
#include "platform/host/core/Stage.hpp"
#include "platform/uikit/UIApplication.hpp"

namespace rovuzu {

class AudioOutput;
class CameraFeed;

// One run of the game, the same for every host. It installs the run's clock and sound, seeds
// the shared random source, launches the application, records its input, reports on it and
// tears it all down again; a window, a headless run and a page in a browser only translate
// their own events into inputs (`post`) and paint the frames it lays out.
//
// A host calls `turn` once a frame: at the real time since launch in a window or a page, at
// `nextDue()` on a virtual clock (`runDue` jumps from one to the next). Within a turn:
//   1. touches posted since the last turn act first, in a step of their own just after it,
//      on the frame the player saw, so that the very next frame shows what they did;
//   2. the game clock moves to `now` and stands still for the rest of the turn;
//   3. the other posted inputs apply in the order they came (of the view's size and the
//      device's rotation and position, only the latest counts);
//   4. the device moves: the camera's tracked turn, then the player's controls;
//   5. the script's inputs due by now, then the built-in player's;
//   6. the stage steps: timers, touches, the view's frame; then whether the round is over.
// Every change of the view or the device is an input, recorded as it applies, so a recording
// of any host replays headless to the same round.
class HostSession {
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

    // What to run.
    struct Plan {
        std::string delegateClassName = "AppDelegate";
        CGSize view{375.0, 667.0};
        // The shared random source's seed; without one, the script's, else a fresh one.
        std::optional<std::uint32_t> seed;
        Script script;
        bool autoplay = false;
        // Where the session's input is written as a script that replays it; none for none.
        std::optional<std::filesystem::path> record;
        Settings settings;
    };

    // What the host does after a turn.
    struct Turn {
        double time = 0.0;
        // The frame to draw now; null when there is nothing new to draw.
        const Frame* frame = nullptr;
        // The view's size in points, for a host that draws at a scale of its own.
        CGSize viewSize;
        // PNG files to write of this turn's frame, once drawn.
        std::vector<std::string> screenshots;
        // The run is over: the host stops after drawing this turn.
        bool quit = false;
    };

    // The seed a plan runs with: its own, else its script's, else a fresh one.
    [[nodiscard]] static std::uint32_t chooseSeed(const Plan& plan);

    // Installs the run's clock and `audio` (null for silence) and seeds the random source.
    HostSession(Plan plan, AudioOutput* audio);
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;
    // Lets the application go, if the run has not ended, then the clock and the sound.
    ~HostSession();

    // Launches the application; false (after one line on stderr) when it cannot start.
    bool launch();

    // An input from the host, applied at the next turn.
    void post(Input input);
    // Keys, drags and a gyro that turn and walk the device.
    [[nodiscard]] PoseController& controls() { return controls_; }
    // A camera whose picture and tracked turns stand in for the built-in world; null for none.
    void setCamera(CameraFeed* camera) { camera_ = camera; }
    [[nodiscard]] CameraFeed* camera() const { return camera_; }
    // Target pixels per view point, for the frames to draw.
    void setPixelsPerPoint(double pixelsPerPoint) { pixelsPerPoint_ = pixelsPerPoint; }
    // Whether the built-in world may be drawn yet; screenshots wait for it.
    void setWorldShown(bool shown) { worldShown_ = shown; }
    // The picture on screen may be lost: the next frame is drawn even when unchanged.
    void redraw() { picker_.redraw(); }

    // When something next happens on its own: a frame at 60 a second, a timer, a scripted or
    // built-in player's move, or the end of the run.
    [[nodiscard]] double nextDue() const;
    // One turn at `now` (seconds since launch; a time before the last turn counts as that).
    // The turn that ends the run lets the application go once its frame is laid out.
    Turn turn(double now);
    // Turns at each due time, handing each to `each`, until the next one would come after
    // `until` or the run is over; the last turn.
    Turn runDue(double until, const std::function<void(const Turn&)>& each);

    // The game clock's time: seconds since launch as of the last turn.
    [[nodiscard]] double time() const { return clock_.monotonicNow(); }
    [[nodiscard]] std::uint32_t seed() const { return seed_; }
    [[nodiscard]] const Stage& stage() const { return stage_; }
    [[nodiscard]] bool inBackground() const { return background_; }
    [[nodiscard]] bool isOver() const { return over_; }
    // Whether the round has come to its end (the run may go on after it).
    [[nodiscard]] bool roundIsOver() const { return sceneWasOver_; }
    // The run's report as JSON: as of now, or as it ended.
    [[nodiscard]] std::string report() const;

  private:
    void deliverTouches();
    void applyPosted(double now, Turn& turn, std::vector<input::Touches>& touches);
    void apply(const Input& input, double now, Turn& turn, std::vector<input::Touches>& touches);
    void change(input::Lifecycle::Change change);
    void moveDevice(double now, double seconds);
    void turnTo(const DevicePose& next, double now);
    void record(double time, const Input& input);
    void step(double now, const std::vector<input::Touches>& touches);
    [[nodiscard]] bool ends(double now);
    void finish(Turn& turn);
    [[nodiscard]] const Frame* frameToDraw(const std::vector<std::string>& screenshots);

    Plan plan_;
    VirtualClock clock_;
    std::uint32_t seed_;
    UIApplication application_;
    Stage stage_{application_};
    std::optional<Recorder> recorder_;
    ScriptPlayer script_;
    std::optional<Autoplay> autoplay_;
    PoseController controls_;
    CameraFeed* camera_ = nullptr;
    std::vector<Input> posted_;
    FramePicker picker_;
    double previous_ = 0.0;
    long frame_ = 0;  // the next 60 Hz frame, for hosts on a virtual clock
    double end_ = std::numeric_limits<double>::infinity();
    bool sceneWasOver_ = false;
    bool background_ = false;
    bool quitAsked_ = false;
    bool over_ = false;
    double pixelsPerPoint_ = 1.0;
    bool worldShown_ = true;
    std::optional<std::string> endReport_;
};

}  // namespace rovuzu
