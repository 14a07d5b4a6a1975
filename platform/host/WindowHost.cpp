#include "platform/host/WindowHost.hpp"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/CameraInput.hpp"
#include "platform/host/FrameLoop.hpp"
#include "platform/host/Renderer.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/world/BuiltInWorld.hpp"

namespace rovuzu {

namespace {

constexpr double kDisplayShare = 0.85;  // of the display's usable height, for a portrait view
constexpr double kLargestScale = 2.0;
constexpr double kIdleWaitSeconds = 0.25;
// Frames come about this often when presenting does not wait for the display by itself, as
// with the software renderer: the loop sleeps instead of drawing frames no one sees. It wakes
// a millisecond early, which the sleep's own lateness uses up, so frames keep to 60 a second.
constexpr double kFramePeriod = 1.0 / 60.0;
constexpr double kWakeEarly = 0.001;

using Key = PoseController::Key;

std::optional<Key> controlFor(SDL_Keycode key) {
    switch (key) {
        case SDLK_LEFT:
            return Key::left;
        case SDLK_RIGHT:
            return Key::right;
        case SDLK_UP:
            return Key::up;
        case SDLK_DOWN:
            return Key::down;
        case SDLK_w:
            return Key::forward;
        case SDLK_s:
            return Key::back;
        case SDLK_a:
            return Key::strafeLeft;
        case SDLK_d:
            return Key::strafeRight;
        case SDLK_q:
            return Key::lower;
        case SDLK_e:
            return Key::raise;
        default:
            return std::nullopt;
    }
}

// Window coordinates per view point: as large as fits the display, in quarter steps.
double fitScale(CGSize view) {
    SDL_Rect usable{};
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0 || usable.h <= 0 || usable.w <= 0) {
        return 1.0;
    }
    const double fit =
        std::min(usable.h * kDisplayShare / view.height, usable.w * kDisplayShare / view.width);
    return std::clamp(std::floor(fit * 4.0) / 4.0, 0.25, kLargestScale);
}

void setIcon(SDL_Window* window) {
    if (const auto icon = NSBundle::mainBundle().URLForResource("icon", "png")) {
        if (SDL_Surface* surface = IMG_Load(icon->string().c_str())) {
            SDL_SetWindowIcon(window, surface);
            SDL_FreeSurface(surface);
        }
    }
}

}  // namespace

WindowHost::WindowHost(const Options& options, std::vector<InputEvent> script, VirtualClock& clock)
    : options_(options), script_(std::move(script)), clock_(clock) {}

WindowHost::~WindowHost() {
    renderer_.reset();
    if (sdlRenderer_ != nullptr) {
        SDL_DestroyRenderer(sdlRenderer_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
}

bool WindowHost::open(CGSize viewSize) {
    // The built-in world's textures take a while to paint: they are painted while the window
    // opens, unless a camera's picture is to be shown instead.
    if (!options_.camera && !options_.cameraFile) {
        worldPainting_ = std::async(std::launch::async, [] { BuiltInWorld::shared(); });
    }
    // Without a display SDL would fall back to drawing nowhere, after probing Wayland noisily.
    const bool driverChosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!driverChosen && std::getenv("DISPLAY") == nullptr &&
        std::getenv("WAYLAND_DISPLAY") == nullptr) {
        diagnose("no display (neither DISPLAY nor WAYLAND_DISPLAY is set); run with --headless");
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER) != 0) {
        diagnose(std::string("no display (") + SDL_GetError() + "); run with --headless");
        return false;
    }
    const std::string driver = SDL_GetCurrentVideoDriver();
    if (!driverChosen && (driver == "offscreen" || driver == "dummy")) {
        diagnose("no display (SDL found only its '" + driver +
                 "' video driver); run with --headless");
        return false;
    }
    windowPointScale_ = fitScale(viewSize);
    window_ = SDL_CreateWindow("rovuzu", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               static_cast<int>(std::lround(viewSize.width * windowPointScale_)),
                               static_cast<int>(std::lround(viewSize.height * windowPointScale_)),
                               SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ == nullptr) {
        diagnose(std::string("cannot open a window (") + SDL_GetError() + "); run with --headless");
        return false;
    }
    setIcon(window_);
    sdlRenderer_ =
        SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (sdlRenderer_ == nullptr) {
        sdlRenderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (sdlRenderer_ == nullptr) {
        diagnose(std::string("cannot draw in the window (") + SDL_GetError() + ")");
        return false;
    }
    SDL_GameControllerEventState(SDL_ENABLE);
    renderer_ = std::make_unique<Renderer>(sdlRenderer_, NSBundle::mainBundle().bundlePath());
    launchedAt_ = realClock_.monotonicNow();
    return true;
}

double WindowHost::pixelsPerPoint() const {
    int drawableWidth = 0;
    int windowWidth = 0;
    SDL_GetRendererOutputSize(sdlRenderer_, &drawableWidth, nullptr);
    SDL_GetWindowSize(window_, &windowWidth, nullptr);
    const double hiDpi = windowWidth > 0 ? static_cast<double>(drawableWidth) / windowWidth : 1.0;
    return windowPointScale_ * hiDpi;
}

CGPoint WindowHost::toViewPoints(double windowX, double windowY) const {
    return {windowX / windowPointScale_, windowY / windowPointScale_};
}

double WindowHost::run(UIApplication& application, FrameLoop& loop) {
    double previous = 0.0;
    double due = realClock_.monotonicNow();
    for (;;) {
        awaitFrame(loop, due);
        previous = deliverTaps(loop, previous);
        const double frameStart = realClock_.monotonicNow();
        const double now = std::max(frameStart - launchedAt_, previous);
        clock_.advanceTo(now);
        for (const SDL_Event& event : pending_) {
            handle(event, application, loop, now);
        }
        pending_.clear();
        if (camera_ != nullptr) {
            camera_->update(loop, now);
        }
        moveDevice(loop, now, now - previous);
        const bool scriptGoesOn = script_.applyDue(loop, now, screenshots_);
        loop.runAutoplay(now);
        loop.runFrame(now);
        const bool ending =
            !scriptGoesOn || quit_ || (options_.quitAfter && now >= *options_.quitAfter);
        if (ending && options_.screenshot) {
            screenshots_.push_back(options_.screenshot->string());
        }
        if (!minimised_) {
            draw(loop);
        }
        if (ending) {
            loop.apply({now, InputEvent::Verb::quit, {}, {}});
            return now;
        }
        due = minimised_ ? launchedAt_ + idleUntil(now) : frameStart + kFramePeriod - kWakeEarly;
        previous = now;
    }
}

// Sleeps until `due` (real seconds), waking for input: taps are kept for a turn of their own,
// everything else for the next frame. Minimised, any input ends the sleep.
void WindowHost::awaitFrame(const FrameLoop& loop, double due) {
    SDL_Event event;
    for (;;) {
        const auto wait = static_cast<int>((due - realClock_.monotonicNow()) * 1000.0);
        if ((wait > 0 ? SDL_WaitEventTimeout(&event, wait) : SDL_PollEvent(&event)) == 0) {
            return;
        }
        if (const auto tap = tapPoint(event, loop)) {
            fingers_.push_back(*tap);
        } else {
            pending_.push_back(event);
        }
        if (minimised_) {
            due = realClock_.monotonicNow();
        }
    }
}

// Taps act on the frame that was on screen when they came, just after its time and in a turn
// of their own, as a headless run replays them; so the very next frame shows what they did.
// Returns the time of that turn, or `shown` when there were no taps.
double WindowHost::deliverTaps(FrameLoop& loop, double shown) {
    if (fingers_.empty()) {
        return shown;
    }
    const double at = std::nextafter(shown, std::numeric_limits<double>::infinity());
    clock_.advanceTo(at);
    std::vector<double> points;
    for (const CGPoint finger : fingers_) {
        points.insert(points.end(), {finger.x, finger.y});
    }
    fingers_.clear();
    const auto verb = points.size() == 2 ? InputEvent::Verb::tap : InputEvent::Verb::taps;
    loop.apply({at, verb, points, {}});
    loop.runFrame(at);
    return at;
}

std::optional<CGPoint> WindowHost::tapPoint(const SDL_Event& event, const FrameLoop& loop) const {
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.which != SDL_TOUCH_MOUSEID &&
        event.button.button == SDL_BUTTON_LEFT) {
        return toViewPoints(event.button.x, event.button.y);
    }
    if (event.type == SDL_FINGERDOWN) {
        const CGSize size = loop.viewSize();
        return CGPoint{event.tfinger.x * size.width, event.tfinger.y * size.height};
    }
    return std::nullopt;
}

void WindowHost::handle(const SDL_Event& event, UIApplication& application, FrameLoop& loop,
                        double now) {
    switch (event.type) {
        case SDL_QUIT:
            quit_ = true;
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(event.key, event.type == SDL_KEYDOWN);
            break;
        case SDL_MOUSEBUTTONDOWN:
            // A left click is a tap, taken out before (see tapPoint).
            if (event.button.which != SDL_TOUCH_MOUSEID &&
                event.button.button == SDL_BUTTON_RIGHT) {
                dragging_ = true;
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_RIGHT) {
                dragging_ = false;
            }
            break;
        case SDL_MOUSEMOTION:
            if (dragging_ && event.motion.which != SDL_TOUCH_MOUSEID) {
                controller_.drag(event.motion.xrel / windowPointScale_,
                                 event.motion.yrel / windowPointScale_);
            }
            break;
        case SDL_CONTROLLERDEVICEADDED:
            if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
                SDL_GameControllerSetSensorEnabled(pad, SDL_SENSOR_GYRO, SDL_TRUE);
            }
            break;
        case SDL_CONTROLLERSENSORUPDATE:
            if (event.csensor.sensor == SDL_SENSOR_GYRO) {
                // Pitch, yaw and roll rates in radians per second, in the device's own axes.
                controller_.gyro(event.csensor.data[0], event.csensor.data[1],
                                 event.csensor.data[2], 1.0 / 60.0);
            }
            break;
        case SDL_WINDOWEVENT:
            handleWindow(event.window, application, loop, now);
            break;
        default:
            break;
    }
}

void WindowHost::handleKey(const SDL_KeyboardEvent& key, bool down) {
    if (down && key.keysym.sym == SDLK_ESCAPE) {
        quit_ = true;
    } else if (down && key.keysym.sym == SDLK_F11 && key.repeat == 0) {
        const bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        SDL_SetWindowFullscreen(window_, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else if (const auto control = controlFor(key.keysym.sym)) {
        controller_.setKey(*control, down);
    }
}

void WindowHost::handleWindow(const SDL_WindowEvent& window, UIApplication& application,
                              FrameLoop& loop, double now) {
    switch (window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            // What the window showed may be gone.
            mustRedraw_ = true;
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            mustRedraw_ = true;
            const CGPoint size = toViewPoints(window.data1, window.data2);
            if (size.x >= 1.0 && size.y >= 1.0 && CGSize{size.x, size.y} != loop.viewSize()) {
                loop.apply({now, InputEvent::Verb::resize, {size.x, size.y}, {}});
            }
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_LOST:
            controller_.releaseAll();
            dragging_ = false;
            application.resignActive();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            application.becomeActive();
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            minimised_ = true;
            application.enterBackground();
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            mustRedraw_ = true;
            if (minimised_) {
                minimised_ = false;
                application.enterForeground();
            }
            break;
        default:
            break;
    }
}

// Turning and walking become look and move events, so a recording replays them exactly.
void WindowHost::moveDevice(FrameLoop& loop, double now, double seconds) {
    const DevicePose& pose = loop.pose();
    const DevicePose next = controller_.advance(pose, seconds);
    if (next.yaw != pose.yaw || next.pitch != pose.pitch || next.roll != pose.roll) {
        loop.apply({now, InputEvent::Verb::look, {next.yaw, next.pitch, next.roll}, {}});
    }
    if (next.x != pose.x || next.y != pose.y || next.z != pose.z) {
        loop.apply({now, InputEvent::Verb::move, {next.x, next.y, next.z}, {}});
    }
}

void WindowHost::draw(const FrameLoop& loop) {
    SKView* view = loop.view();
    if (view == nullptr) {
        return;
    }
    if (camera_ != nullptr) {
        camera_->showIn(*renderer_, shownPicture_);
    }
    // Frames do not wait for the world's textures, nor paint all of it while the camera moves;
    // screenshots do.
    renderer_->setQuickWhileMoving(screenshots_.empty());
    renderer_->setWorldShown(!screenshots_.empty() || !worldPainting_.valid() ||
                             worldPainting_.wait_for(std::chrono::seconds(0)) ==
                                 std::future_status::ready);
    const double scale = pixelsPerPoint();
    // Nothing on screen would change: the window goes on showing the frame it shows.
    if (screenshots_.empty() && !mustRedraw_ && renderer_->wouldRepeat(*view, scale)) {
        return;
    }
    mustRedraw_ = false;
    SDL_SetRenderDrawColor(sdlRenderer_, 0, 0, 0, 255);
    SDL_RenderClear(sdlRenderer_);
    renderer_->draw(*view, scale);
    for (const std::string& file : screenshots_) {
        renderer_->savePNG(file);
    }
    screenshots_.clear();
    SDL_RenderPresent(sdlRenderer_);
}

// Minimised, nothing is drawn: the loop sleeps until a timer falls due, or a while.
double WindowHost::idleUntil(double now) {
    const double later = now + kIdleWaitSeconds;
    const auto due = NSRunLoop::mainRunLoop().nextFireDate();
    return due ? std::clamp(*due, now, later) : later;
}

}  // namespace rovuzu
