#pragma once

#include <emscripten/html5.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/core/FrameLoop.hpp"
#include "platform/host/core/HostLoop.hpp"
#include "platform/host/core/InputEvent.hpp"
#include "platform/host/web/CanvasSize.hpp"
#include "platform/host/web/GlRenderer.hpp"
#include "platform/host/web/PageOptions.hpp"
#include "platform/host/web/PhoneCamera.hpp"
#include "platform/host/web/WebAudio.hpp"
#include "platform/uikit/UIApplication.hpp"

namespace rovuzu {

// Runs the application in a page. The browser owns the loop: once the start tap has launched
// the application, every animation frame is one turn of the host loop at the real time since
// the tap (or, on the virtual clock, half a second of game time in 60 Hz turns), drawn with
// WebGL on the page's canvas at the device's pixel ratio. The page's events feed the loop:
// touches and clicks are taps, a right-drag and the arrow keys turn the device where there are
// no motion sensors, the window's size is the view's, and hiding the page sends the
// application to the background.
class PageHost {
  public:
    PageHost(PageOptions page, std::vector<InputEvent> script, std::string delegateClassName);
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;
    ~PageHost();

    // WebGL on the page's canvas; false (after one line on stderr) when the page cannot draw.
    bool openCanvas();
    // Paints the built-in world's textures and hands them to WebGL, ahead of the round.
    void prepareWorld();
    // The start tap: launches the application and starts drawing. False (after one line on
    // stderr) when the application cannot start.
    bool start();
    // A reading of the motion sensors.
    void sense(const DeviceOrientation::Reading& reading) { camera_.sense(reading); }
    // The run's report: as of now, or as it ended.
    [[nodiscard]] std::string report() const;

  private:
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
    // One animation frame; false when the run is over.
    bool frame(double time);
    void finish(double time);

    PageOptions page_;
    std::vector<InputEvent> script_;
    std::string delegateClassName_;
    VirtualClock clock_;
    WebAudio audio_;
    PhoneCamera camera_{CameraLens{page_.options.cameraFieldOfView, std::nullopt}};
    UIApplication application_;
    std::optional<FrameLoop> frames_;
    std::optional<HostLoop> loop_;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_ = 0;
    std::unique_ptr<GlRenderer> renderer_;
    std::optional<CanvasSize> canvasSize_;
    CGSize view_{};
    double wantedRatio_ = 0.0;  // the device's pixel ratio
    double pixelsPerPoint_ = 1.0;
    double startedAt_ = -1.0;  // the first animation frame's time, in milliseconds
    bool dragging_ = false;
    bool saidScreenshots_ = false;
    std::optional<std::string> endReport_;
};

}  // namespace rovuzu
