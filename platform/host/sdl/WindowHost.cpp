#include "platform/host/sdl/WindowHost.hpp"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <utility>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/PixelRatio.hpp"
#include "platform/host/sdl/Renderer.hpp"
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

WindowHost::WindowHost() = default;

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

bool WindowHost::open(CGSize viewSize, bool paintsWorld) {
    // The built-in world's textures take a while to paint: they are painted while the window
    // opens, unless a camera's picture is to be shown instead.
    if (paintsWorld) {
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

double WindowHost::drawablePixelsPerPoint() const {
    int drawableWidth = 0;
    int windowWidth = 0;
    SDL_GetRendererOutputSize(sdlRenderer_, &drawableWidth, nullptr);
    SDL_GetWindowSize(window_, &windowWidth, nullptr);
    const double hiDpi = windowWidth > 0 ? static_cast<double>(drawableWidth) / windowWidth : 1.0;
    return windowPointScale_ * hiDpi;
}

// The room is painted into a texture of the view's size: a view larger than the renderer's
// textures may be is drawn at fewer pixels a point, and stretched to the window.
double WindowHost::pixelsPerPoint() const {
    int windowWidth = 0;
    int windowHeight = 0;
    SDL_GetWindowSize(window_, &windowWidth, &windowHeight);
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(sdlRenderer_, &info);
    return PixelRatio::largestFitting(
        {windowWidth / windowPointScale_, windowHeight / windowPointScale_},
        drawablePixelsPerPoint(), {info.max_texture_width, info.max_texture_height});
}

CGPoint WindowHost::toViewPoints(double windowX, double windowY) const {
    return {windowX / windowPointScale_, windowY / windowPointScale_};
}

void WindowHost::run(HostSession& session) {
    double due = realClock_.monotonicNow();
    for (;;) {
        awaitFrame(session, due);
        session.setPixelsPerPoint(pixelsPerPoint());
        session.setWorldShown(!worldPainting_.valid() ||
                              worldPainting_.wait_for(std::chrono::seconds(0)) ==
                                  std::future_status::ready);
        const double frameStart = realClock_.monotonicNow();
        const HostSession::Turn turn = session.turn(frameStart - launchedAt_);
        if (turn.frame != nullptr) {
            draw(session, *turn.frame, turn.screenshots);
        }
        if (turn.quit) {
            return;
        }
        due = minimised_ ? launchedAt_ + idleUntil(turn.time)
                         : frameStart + kFramePeriod - kWakeEarly;
    }
}

// Sleeps until `due` (real seconds), handing input to the session as it comes. Minimised, any
// input ends the sleep.
void WindowHost::awaitFrame(HostSession& session, double due) {
    SDL_Event event;
    for (;;) {
        const auto wait = static_cast<int>((due - realClock_.monotonicNow()) * 1000.0);
        if ((wait > 0 ? SDL_WaitEventTimeout(&event, wait) : SDL_PollEvent(&event)) == 0) {
            return;
        }
        if (const auto tap = tapPoint(event, session)) {
            session.post(input::Touches{{*tap}});
        } else {
            handle(event, session);
        }
        if (minimised_) {
            due = realClock_.monotonicNow();
        }
    }
}

std::optional<CGPoint> WindowHost::tapPoint(const SDL_Event& event,
                                            const HostSession& session) const {
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.which != SDL_TOUCH_MOUSEID &&
        event.button.button == SDL_BUTTON_LEFT) {
        return toViewPoints(event.button.x, event.button.y);
    }
    if (event.type == SDL_FINGERDOWN) {
        const CGSize size = session.stage().viewSize();
        return CGPoint{event.tfinger.x * size.width, event.tfinger.y * size.height};
    }
    return std::nullopt;
}

void WindowHost::handle(const SDL_Event& event, HostSession& session) {
    switch (event.type) {
        case SDL_QUIT:
            session.post(input::Quit{});
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            handleKey(event.key, event.type == SDL_KEYDOWN, session);
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
                session.controls().drag(event.motion.xrel / windowPointScale_,
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
                // Pitch, yaw and roll rates in radians per second, in the device's own axes,
                // at the report's own time where the controller gives it.
                const SDL_ControllerSensorEvent& report = event.csensor;
                const double at = report.timestamp_us != 0
                                      ? static_cast<double>(report.timestamp_us) * 1e-6
                                      : report.timestamp * 1e-3;
                session.controls().gyro(report.data[0], report.data[1], report.data[2], at);
            }
            break;
        case SDL_WINDOWEVENT:
            handleWindow(event.window, session);
            break;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET:
            // The GPU lost what the renderer had on it: every texture is made again.
            renderer_->reset(sdlRenderer_);
            session.redraw();
            break;
        default:
            break;
    }
}

void WindowHost::handleKey(const SDL_KeyboardEvent& key, bool down, HostSession& session) {
    if (down && key.keysym.sym == SDLK_ESCAPE) {
        session.post(input::Quit{});
    } else if (down && key.keysym.sym == SDLK_F11 && key.repeat == 0) {
        const bool fullscreen = (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
        SDL_SetWindowFullscreen(window_, fullscreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
    } else if (const auto control = controlFor(key.keysym.sym)) {
        session.controls().setKey(*control, down);
    }
}

void WindowHost::handleWindow(const SDL_WindowEvent& window, HostSession& session) {
    switch (window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
            // What the window showed may be gone.
            session.redraw();
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            session.redraw();
            const CGPoint size = toViewPoints(window.data1, window.data2);
            if (size.x >= 1.0 && size.y >= 1.0) {
                session.post(input::Resize{{size.x, size.y}});
            }
            break;
        }
        case SDL_WINDOWEVENT_FOCUS_LOST:
            dragging_ = false;
            session.post(input::Lifecycle{input::Lifecycle::Change::resignActive});
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            session.post(input::Lifecycle{input::Lifecycle::Change::becomeActive});
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            minimised_ = true;
            session.post(input::Lifecycle{input::Lifecycle::Change::enterBackground});
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            session.redraw();
            if (minimised_) {
                minimised_ = false;
                session.post(input::Lifecycle{input::Lifecycle::Change::enterForeground});
            }
            break;
        default:
            break;
    }
}

void WindowHost::draw(const HostSession& session, const Frame& frame,
                      const std::vector<std::string>& screenshots) {
    if (const CameraFeed* camera = session.camera()) {
        renderer_->follow(*camera);
    }
    SDL_SetRenderDrawColor(sdlRenderer_, 0, 0, 0, 255);
    SDL_RenderClear(sdlRenderer_);
    const auto stretch = frame.pixelsPerPoint > 0.0
                             ? static_cast<float>(drawablePixelsPerPoint() / frame.pixelsPerPoint)
                             : 1.0F;
    SDL_RenderSetScale(sdlRenderer_, stretch, stretch);
    renderer_->draw(frame);
    for (const std::string& file : screenshots) {
        renderer_->savePNG(file);
    }
    SDL_RenderPresent(sdlRenderer_);
}

// Minimised, nothing is drawn: the loop sleeps until a timer falls due, or a while.
double WindowHost::idleUntil(double now) {
    const double later = now + kIdleWaitSeconds;
    const auto due = NSRunLoop::mainRunLoop().nextFireDate();
    return due ? std::clamp(*due, now, later) : later;
}

}  // namespace rovuzu
