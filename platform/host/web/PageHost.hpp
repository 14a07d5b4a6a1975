#pragma once

#include <emscripten/html5.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Script.hpp"
#include "platform/host/web/CanvasSize.hpp"
#include "platform/host/web/DeviceOrientation.hpp"
#include "platform/host/web/GlRenderer.hpp"
#include "platform/host/web/Page.hpp"
#include "platform/host/web/PageOptions.hpp"
#include "platform/host/web/PhoneCamera.hpp"
#include "platform/host/web/WebAudio.hpp"
#include "platform/host/web/XrCamera.hpp"

namespace rovuzu {

// Runs the application in a page. The browser owns the loop: once the start tap has launched
// a session, every animation frame is one of its turns at the real time since the tap (or, on
// the virtual clock, half a second of game time in 60 Hz turns), drawn with WebGL on the
// page's canvas at the device's pixel ratio. The page's events become the session's inputs:
// each touchstart is one touch event with the fingers that began in it, and a click is one;
// the motion sensors' readings turn the device, or else a right-drag and the arrow keys do;
// the window's size is the view's; hiding the page hides the view and sends the application
// to the background. Where the start tap opened a WebXR immersive-ar session, its frames take
// the place of animation frames: the browser tracks the device in the world and shows the
// camera's picture, and the game draws over it through the view's own projection; when the
// session ends, the round goes on with the sensors.
class PageHost {
  public:
    PageHost(PageOptions page, Script script, std::string delegateClassName);
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;
    ~PageHost();

    // WebGL on the page's canvas; false (after one line on stderr) when the page cannot draw.
    bool openCanvas();
    // Paints the built-in world's textures and hands them to WebGL, ahead of the round, in
    // short slices that leave the page free to answer between them; then offers the start.
    void prepareWorld();
    // The start tap: launches the application and starts drawing. False (after one line on
    // stderr) when the application cannot start.
    bool start();
    // Another round, once one has started: a new session on what the page already has.
    bool restart();
    // A reading of the motion sensors: the device turns to it.
    void sense(const DeviceOrientation::Reading& reading);
    // A WebXR frame's view, drawn into the layer's framebuffer, which is bound; `time` in
    // milliseconds on the page's clock.
    void xrFrame(double time, const XrView& view);
    // A tap on the screen where the browser gives no overlay: a ray from `origin` along
    // `direction`, in the session's local space.
    void xrSelect(const glm::dvec3& origin, const glm::dvec3& direction);
    // The WebXR session ended: the round goes on with the sensors, or the player's controls.
    void xrEnded();
    [[nodiscard]] bool inWorldTracking() const { return xr_; }
    // The run's report: as of now, or as it ended.
    [[nodiscard]] std::string report() const;

  private:
    static EM_BOOL onPrepareWorld(void* host);
    static EM_BOOL onFrame(double time, void* host);
    static EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void* host);
    static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* host);
    static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* host);
    static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* host);
    static EM_BOOL onFocus(int type, const EmscriptenFocusEvent* event, void* host);
    static EM_BOOL onVisibility(int type, const EmscriptenVisibilityChangeEvent* event, void* host);
    static EM_BOOL onContextLost(int type, const void* reserved, void* host);
    static EM_BOOL onContextRestored(int type, const void* reserved, void* host);

    void listen();
    // The view's size in CSS pixels, the canvas's in device pixels, or fewer where the browser
    // or the GPU cannot draw that many; true when it changed.
    bool fitCanvas();
    // Fits the canvas, and the view to it.
    void refit();
    // A session for the page's plan, launched.
    bool launch();
    void keepFrames();
    // One animation frame; false when the run is over.
    bool frame(double time);
    // The turns due by `time` (milliseconds on the page's clock), and the newest frame drawn,
    // into `viewport` when given; false when the run is over.
    bool play(double time, const std::optional<PixelArea>& viewport);
    [[nodiscard]] HostSession::Plan plan() const;

    PageOptions page_;
    Script script_;
    std::string delegateClassName_;
    WebAudio audio_;
    PhoneCamera camera_{CameraLens{page_.options.cameraFieldOfView, std::nullopt}};
    XrCamera xrCamera_;
    DeviceOrientation orientation_;
    std::unique_ptr<HostSession> session_;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_ = 0;
    std::unique_ptr<GlRenderer> renderer_;
    std::optional<CanvasSize> canvasSize_;
    CGSize view_{};
    double wantedRatio_ = 0.0;  // the device's pixel ratio
    double pixelsPerPoint_ = 1.0;
    double startedAt_ = -1.0;  // the first animation frame's time, in milliseconds
    bool dragging_ = false;
    bool xr_ = false;
    bool framing_ = false;        // animation frames are turning the session
    bool saidRoundOver_ = false;  // the page has heard that this round is over
    bool saidScreenshots_ = false;
};

}  // namespace rovuzu
