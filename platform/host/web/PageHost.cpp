#include "platform/host/web/PageHost.hpp"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <glm/gtc/type_ptr.hpp>
#include <string_view>
#include <utility>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/host/web/Page.hpp"

namespace rovuzu {

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr const char* kOverlay = "#overlay";
// Where a recorded session is written, for the page to offer as a download.
constexpr const char* kRecordings = "/page/recorded";
// On the virtual clock, each animation frame plays this much game time.
constexpr double kVirtualSecondsPerFrame = 0.5;
// How long the world's painting holds the page at a time, give or take a step of it.
constexpr double kPaintingSliceMilliseconds = 8.0;
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

PageHost::PageHost(PageOptions page, Script script, std::string delegateClassName)
    : page_(std::move(page)),
      script_(std::move(script)),
      delegateClassName_(std::move(delegateClassName)) {}

PageHost::~PageHost() = default;

void PageHost::prepareWorld() {
    emscripten_set_immediate_loop(onPrepareWorld, this);
}

EM_BOOL PageHost::onPrepareWorld(void* host) {
    const double until = emscripten_get_now() + kPaintingSliceMilliseconds;
    while (hostOf(host).renderer_->prepare()) {
        if (emscripten_get_now() >= until) {
            return EM_TRUE;  // the rest in the next slice
        }
    }
    rovuzu_page_ready();
    return EM_FALSE;
}

// A recorded session is named after its seed, chosen here so that the file can say it.
HostSession::Plan PageHost::plan() const {
    HostSession::Plan plan;
    plan.delegateClassName = delegateClassName_;
    plan.view = view_;
    plan.seed = page_.options.seed;
    plan.script = script_;
    plan.autoplay = page_.options.autoplay;
    if (page_.record) {
        plan.seed = HostSession::chooseSeed(plan);
        plan.record = std::string(kRecordings) + "/rovuzu-" + std::to_string(*plan.seed) + ".txt";
    }
    return plan;
}

bool PageHost::start() {
    if (!renderer_ || session_) {
        return false;
    }
    if (!launch()) {
        return false;
    }
    listen();
    xr_ = rovuzu_xr_session() != 0;
    if (xr_) {
        session_->setCamera(&xrCamera_);
        rovuzu_xr_begin();
    } else {
        keepFrames();
    }
    return true;
}

// A new round from what is loaded: a fresh session on the same page, sensors, camera and sound.
bool PageHost::restart() {
    if (!session_) {
        return false;
    }
    session_.reset();
    orientation_ = DeviceOrientation{};
    startedAt_ = -1.0;
    saidRoundOver_ = false;
    if (!launch()) {
        return false;
    }
    if (!xr_) {
        keepFrames();
    }
    return true;
}

bool PageHost::launch() {
    fitCanvas();
    const HostSession::Plan next = plan();
    if (next.record) {
        std::filesystem::create_directories(kRecordings);
    }
    session_ = std::make_unique<HostSession>(next, &audio_);
    if (!session_->launch()) {
        return false;  // it has said why, in one line
    }
    session_->setPixelsPerPoint(pixelsPerPoint_);
    session_->setCamera(xr_ ? static_cast<CameraFeed*>(&xrCamera_) : &camera_);
    if (next.record) {
        rovuzu_page_recording(next.record->c_str());
    }
    return true;
}

// Animation frames turn the session, from now until its run is over.
void PageHost::keepFrames() {
    if (!framing_) {
        framing_ = true;
        emscripten_request_animation_frame_loop(onFrame, this);
    }
}

void PageHost::xrFrame(double time, const XrView& view) {
    const auto& [x, y, width, height] = view.viewport;
    const CGSize points{view.page[0], view.page[1]};
    if (!session_ || !xr_ ||
        !(width >= 1.0 && height >= 1.0 && points.width >= 1.0 && points.height >= 1.0)) {
        return;
    }
    if (points != view_) {
        view_ = points;
        session_->post(input::Resize{view_});
    }
    pixelsPerPoint_ = width / points.width;
    session_->setPixelsPerPoint(pixelsPerPoint_);
    const auto& [qx, qy, qz, qw] = view.orientation;
    session_->post(input::Look{glm::normalize(glm::dquat{qw, qx, qy, qz})});
    session_->post(input::Move{{view.position[0], view.position[1], view.position[2]}});
    const glm::dmat4 projection = glm::make_mat4(view.projection.data());
    const PixelArea viewport{static_cast<int>(x), static_cast<int>(y), static_cast<int>(width),
                             static_cast<int>(height)};
    xrCamera_.setView(
        CameraIntrinsics::fromProjection(viewport.width, viewport.height, projection));
    // Each XR frame's framebuffer starts afresh: the frame is drawn whether or not it changed.
    session_->redraw();
    play(time, viewport);
}

void PageHost::xrSelect(const glm::dvec3& origin, const glm::dvec3& direction) {
    const ARSKView* view = session_ ? session_->stage().arView() : nullptr;
    if (!xr_ || view == nullptr) {
        return;
    }
    // The tap is where the ray's point a metre out shows in the view.
    const glm::dvec3 ahead = origin + glm::normalize(direction);
    const simd_float4 inSession =
        glm::inverse(view->session().worldOrigin()) * simd_float4{simd_float3{ahead}, 1.0F};
    if (const auto seen = view->camera().projectPoint(simd_float3{inSession})) {
        session_->post(input::Touches{{seen->viewPoint}});
    }
}

void PageHost::xrEnded() {
    if (!session_ || !xr_) {
        return;
    }
    xr_ = false;
    session_->setCamera(&camera_);
    session_->redraw();
    keepFrames();
}

void PageHost::sense(const DeviceOrientation::Reading& reading) {
    if (session_) {
        session_->post(input::Look{orientation_.rotationFor(reading)});
    }
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
    // Over WebXR the page's overlay covers the view and takes its touches; those of its
    // buttons stay theirs (they stop them on their way up).
    emscripten_set_touchstart_callback(kOverlay, this, EM_FALSE, onTouch);
    emscripten_set_mousedown_callback(kOverlay, this, EM_FALSE, onMouse);
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
        session_->post(input::Resize{view_});
        session_->setPixelsPerPoint(pixelsPerPoint_);
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

// The XR session's frames take over, and an ended run stops until a new round.
bool PageHost::frame(double time) {
    if (xr_) {
        framing_ = false;
        return false;
    }
    refit();
    framing_ = play(time, std::nullopt);
    return framing_;
}

bool PageHost::play(double time, const std::optional<PixelArea>& viewport) {
    const double began = emscripten_get_now();
    if (startedAt_ < 0.0) {
        startedAt_ = time;
    }
    const Frame* drawn = nullptr;
    bool screenshots = false;
    const auto taken = [&](const HostSession::Turn& turn) {
        drawn = turn.frame != nullptr ? turn.frame : drawn;
        screenshots = screenshots || !turn.screenshots.empty();
    };
    HostSession::Turn turn;
    if (page_.virtualClock) {
        turn = session_->runDue(session_->time() + kVirtualSecondsPerFrame, taken);
    } else {
        turn = session_->turn((time - startedAt_) / 1000.0);
        taken(turn);
    }
    if (drawn != nullptr && !renderer_->isLost()) {
        if (viewport) {
            renderer_->draw(*drawn, *viewport);
        } else {
            renderer_->draw(*drawn);
        }
        rovuzu_page_drawn(emscripten_get_now() - began);
    }
    if (screenshots && !std::exchange(saidScreenshots_, true)) {
        diagnose("screenshot: a page cannot write files; the browser can take screenshots");
    }
    if (session_->roundIsOver() && !std::exchange(saidRoundOver_, true)) {
        rovuzu_page_round_over();
    }
    return !turn.quit;
}

std::string PageHost::report() const {
    return session_ ? session_->report() : Report::build(0.0, nullptr);
}

EM_BOOL PageHost::onTouch(int /*type*/, const EmscriptenTouchEvent* event, void* host) {
    PageHost& self = hostOf(host);
    // One touchstart is one touch event, with the fingers that began in it.
    input::Touches began;
    for (int i = 0; i < event->numTouches; ++i) {
        const EmscriptenTouchPoint& touch = event->touches[i];
        if (touch.isChanged != 0) {
            began.points.push_back(
                {static_cast<double>(touch.targetX), static_cast<double>(touch.targetY)});
        }
    }
    if (self.session_ && !began.points.empty()) {
        self.session_->post(std::move(began));
    }
    return EM_TRUE;
}

EM_BOOL PageHost::onMouse(int type, const EmscriptenMouseEvent* event, void* host) {
    PageHost& self = hostOf(host);
    if (!self.session_) {
        return EM_FALSE;
    }
    if (type == EMSCRIPTEN_EVENT_MOUSEDOWN && event->button == kLeftButton) {
        self.session_->post(input::Touches{
            {{static_cast<double>(event->targetX), static_cast<double>(event->targetY)}}});
    } else if (type == EMSCRIPTEN_EVENT_MOUSEDOWN && event->button == kRightButton) {
        self.dragging_ = true;
    } else if (type == EMSCRIPTEN_EVENT_MOUSEUP && event->button == kRightButton) {
        self.dragging_ = false;
    } else if (type == EMSCRIPTEN_EVENT_MOUSEMOVE && self.dragging_) {
        self.session_->controls().drag(event->movementX, event->movementY);
    } else {
        return EM_FALSE;
    }
    return EM_TRUE;
}

EM_BOOL PageHost::onKey(int type, const EmscriptenKeyboardEvent* event, void* host) {
    PageHost& self = hostOf(host);
    const std::string_view code{static_cast<const char*>(event->code)};
    const auto control = controlFor(code);
    if (!control || !self.session_) {
        return EM_FALSE;  // the browser's own keys stay the browser's
    }
    self.session_->controls().setKey(*control, type == EMSCRIPTEN_EVENT_KEYDOWN);
    return EM_TRUE;
}

EM_BOOL PageHost::onResize(int /*type*/, const EmscriptenUiEvent* /*event*/, void* host) {
    PageHost& self = hostOf(host);
    if (self.session_ && !self.xr_) {
        self.refit();
    }
    return EM_FALSE;
}

EM_BOOL PageHost::onFocus(int type, const EmscriptenFocusEvent* /*event*/, void* host) {
    PageHost& self = hostOf(host);
    if (!self.session_) {
        return EM_FALSE;
    }
    using Change = input::Lifecycle::Change;
    if (type == EMSCRIPTEN_EVENT_BLUR) {
        self.dragging_ = false;
        self.session_->post(input::Lifecycle{Change::resignActive});
    } else {
        self.session_->post(input::Lifecycle{Change::becomeActive});
    }
    return EM_FALSE;
}

EM_BOOL PageHost::onVisibility(int /*type*/, const EmscriptenVisibilityChangeEvent* event,
                               void* host) {
    PageHost& self = hostOf(host);
    // A hidden page hides the view, as a phone's app switch does: the session pauses, and the
    // round's timers go on.
    using Change = input::Lifecycle::Change;
    if (self.session_ && event->hidden != 0) {
        self.session_->post(input::Hide{});
        self.session_->post(input::Lifecycle{Change::enterBackground});
        // No animation frames come while hidden: the view hides now, at its own time.
        if (!self.page_.virtualClock) {
            self.frame(emscripten_get_now());
        }
    } else if (self.session_) {
        self.session_->post(input::Lifecycle{Change::enterForeground});
        self.session_->post(input::Show{});
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
    if (self.session_) {
        self.session_->redraw();
    }
    return EM_TRUE;
}

}  // namespace rovuzu
