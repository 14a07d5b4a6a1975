#include "platform/host/web/PageHost.hpp"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "platform/foundation/Clock.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/web/Page.hpp"

namespace rovuzu {

namespace {

constexpr const char* kCanvas = "#canvas";
// On the virtual clock, each animation frame plays this much game time.
constexpr double kVirtualSecondsPerFrame = 0.5;
constexpr int kLeftButton = 0;
constexpr int kRightButton = 2;

using Key = PoseController::Key;

std::optional<Key> controlFor(std::string_view code) {
    static constexpr std::array<std::pair<std::string_view, Key>, 10> kKeys{
        {{"ArrowLeft", Key::left},
         {"ArrowRight", Key::right},
         {"ArrowUp", Key::up},
         {"ArrowDown", Key::down},
         {"KeyW", Key::forward},
         {"KeyS", Key::back},
         {"KeyA", Key::strafeLeft},
         {"KeyD", Key::strafeRight},
         {"KeyQ", Key::lower},
         {"KeyE", Key::raise}}};
    for (const auto& [name, key] : kKeys) {
        if (name == code) {
            return key;
        }
    }
    return std::nullopt;
}

PageHost& hostOf(void* host) {
    return *static_cast<PageHost*>(host);
}

}  // namespace

PageHost::PageHost(PageOptions page, std::vector<InputEvent> script, std::string delegateClassName)
    : page_(std::move(page)),
      script_(std::move(script)),
      delegateClassName_(std::move(delegateClassName)) {}

PageHost::~PageHost() {
    loop_.reset();
    frames_.reset();
    application_.terminate();
    AudioOutput::install(nullptr);
    Clock::install(nullptr);
}

void PageHost::prepareWorld() {
    renderer_->prepareWorld();
}

bool PageHost::start() {
    if (!renderer_ || loop_ || endReport_) {
        return false;
    }
    fitCanvas();
    Clock::install(&clock_);
    AudioOutput::install(&audio_);
    if (!application_.launch(delegateClassName_, view_)) {
        return false;  // it has said why, in one line
    }
    frames_.emplace(application_, page_.options.autoplay, nullptr);
    loop_.emplace(application_, *frames_, HostLoop::Settings{}, std::move(script_), clock_);
    loop_->setCamera(&camera_);
    loop_->setPixelsPerPoint(pixelsPerPoint_);
    listen();
    emscripten_request_animation_frame_loop(onFrame, this);
    return true;
}

bool PageHost::openCanvas() {
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.majorVersion = 1;
    // The game draws with plain WebGL 1: it needs none of the extensions.
    attributes.enableExtensionsByDefault = EM_FALSE;
    context_ = emscripten_webgl_create_context(kCanvas, &attributes);
    if (context_ <= 0 ||
        emscripten_webgl_make_context_current(context_) != EMSCRIPTEN_RESULT_SUCCESS) {
        diagnose("this browser cannot draw with WebGL; the game cannot start");
        return false;
    }
    renderer_ = std::make_unique<GlRenderer>(NSBundle::mainBundle().bundlePath());
    canvasSize_.emplace(kCanvas, context_);
    emscripten_set_webglcontextlost_callback(kCanvas, this, EM_TRUE, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, this, EM_TRUE, onContextRestored);
    fitCanvas();
    return true;
}

void PageHost::listen() {
    emscripten_set_touchstart_callback(kCanvas, this, EM_TRUE, onTouch);
    emscripten_set_mousedown_callback(kCanvas, this, EM_TRUE, onMouse);
    emscripten_set_mouseup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onMouse);
    emscripten_set_mousemove_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onMouse);
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onKey);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onResize);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onFocus);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, this, EM_TRUE, onFocus);
    emscripten_set_visibilitychange_callback(this, EM_TRUE, onVisibility);
}

void PageHost::refit() {
    if (fitCanvas()) {
        loop_->resize(view_);
        loop_->setPixelsPerPoint(pixelsPerPoint_);
    }
}

bool PageHost::fitCanvas() {
    double width = 0.0;
    double height = 0.0;
    emscripten_get_element_css_size(kCanvas, &width, &height);
    const double ratio = emscripten_get_device_pixel_ratio();
    const CGSize view{std::max(width, 1.0), std::max(height, 1.0)};
    const double wanted = ratio > 0.0 ? ratio : 1.0;
    if (view == view_ && wanted == wantedRatio_) {
        return false;
    }
    view_ = view;
    wantedRatio_ = wanted;
    pixelsPerPoint_ = canvasSize_->fit(view, wanted);
    return true;
}

EM_BOOL PageHost::onFrame(double time, void* host) {
    return hostOf(host).frame(time) ? EM_TRUE : EM_FALSE;
}

bool PageHost::frame(double time) {
    const double began = emscripten_get_now();
    if (startedAt_ < 0.0) {
        startedAt_ = time;
    }
    refit();
    HostLoop::Turn turn;
    const Frame* drawn = nullptr;
    bool screenshots = false;
    const double until = clock_.monotonicNow() + kVirtualSecondsPerFrame;
    do {
        turn = loop_->turn(page_.virtualClock ? loop_->nextDue() : (time - startedAt_) / 1000.0);
        drawn = turn.frame != nullptr ? turn.frame : drawn;
        screenshots = screenshots || !turn.screenshots.empty();
    } while (page_.virtualClock && !turn.quit && loop_->nextDue() <= until);
    if (drawn != nullptr && !renderer_->isLost()) {
        renderer_->draw(*drawn);
        rovuzu_page_drawn(emscripten_get_now() - began);
    }
    if (screenshots && !std::exchange(saidScreenshots_, true)) {
        diagnose("screenshot: a page cannot write files; the browser can take screenshots");
    }
    if (turn.quit) {
        finish(turn.time);
    }
    return !turn.quit;
}

void PageHost::finish(double time) {
    endReport_ = Report::build(time, frames_->view());
    loop_.reset();
    frames_.reset();
    application_.terminate();
}

std::string PageHost::report() const {
    if (endReport_) {
        return *endReport_;
    }
    return Report::build(clock_.monotonicNow(), frames_ ? frames_->view() : nullptr);
}

EM_BOOL PageHost::onTouch(int /*type*/, const EmscriptenTouchEvent* event, void* host) {
    PageHost& self = hostOf(host);
    // One touch event, one tap, at its first new finger: as the platform delivers touches.
    for (int i = 0; i < event->numTouches && self.loop_; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (touch.isChanged != 0) {
            self.loop_->touch(
                {{static_cast<double>(touch.targetX), static_cast<double>(touch.targetY)}});
            break;
        }
    }
    return EM_TRUE;
}

EM_BOOL PageHost::onMouse(int type, const EmscriptenMouseEvent* event, void* host) {
    PageHost& self = hostOf(host);
    if (!self.loop_) {
        return EM_FALSE;
    }
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN && event->button == kLeftButton) {
        self.loop_->touch(
            {{static_cast<double>(event->targetX), static_cast<double>(event->targetY)}});
    } else if (type == EMSCRIPTEN_EVENT_MOUSEDOWN && event->button == kRightButton) {
        self.dragging_ = true;
    } else if (type == EMSCRIPTEN_EVENT_MOUSEUP && event->button == kRightButton) {
        self.dragging_ = false;
    } else if (type == EMSCRIPTEN_EVENT_MOUSEMOVE && self.dragging_) {
        self.loop_->controls().drag(event->movementX, event->movementY);
    } else {
        return EM_FALSE;
    }
    return EM_TRUE;
}

EM_BOOL PageHost::onKey(int type, const EmscriptenKeyboardEvent* event, void* host) {
    PageHost& self = hostOf(host);
    const std::string_view code{static_cast<const char*>(event->code)};
    const auto control = controlFor(code);
    if (!control || !self.loop_) {
        return EM_FALSE;  // the browser's own keys stay the browser's
    }
    self.loop_->controls().setKey(*control, type == EMSCRIPTEN_EVENT_KEYDOWN);
    return EM_TRUE;
}

EM_BOOL PageHost::onResize(int /*type*/, const EmscriptenUiEvent* /*event*/, void* host) {
    PageHost& self = hostOf(host);
    if (self.loop_) {
        self.refit();
    }
    return EM_FALSE;
}

EM_BOOL PageHost::onFocus(int type, const EmscriptenFocusEvent* /*event*/, void* host) {
    PageHost& self = hostOf(host);
    if (!self.loop_) {
        return EM_FALSE;
    }
    if (type == EMSCRIPTEN_EVENT_BLUR) {
        self.dragging_ = false;
        self.loop_->lifecycle(HostLoop::Lifecycle::resignActive);
    } else {
        self.loop_->lifecycle(HostLoop::Lifecycle::becomeActive);
    }
    return EM_FALSE;
}

EM_BOOL PageHost::onVisibility(int /*type*/, const EmscriptenVisibilityChangeEvent* event,
                               void* host) {
    PageHost& self = hostOf(host);
    if (self.loop_) {
        self.loop_->lifecycle(event->hidden != 0 ? HostLoop::Lifecycle::enterBackground
                                                 : HostLoop::Lifecycle::enterForeground);
    }
    return EM_FALSE;
}

// The round goes on while the context is away; declining the browser's default is what lets it
// give the context back.
EM_BOOL PageHost::onContextLost(int /*type*/, const void* /*reserved*/, void* host) {
    hostOf(host).renderer_->lose();
    return EM_TRUE;
}

EM_BOOL PageHost::onContextRestored(int /*type*/, const void* /*reserved*/, void* host) {
    PageHost& self = hostOf(host);
    self.renderer_->restore();
    if (self.loop_) {
        self.loop_->redraw();
    }
    return EM_TRUE;
}

}  // namespace rovuzu
