#pragma once

#include <emscripten/html5.h>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/PixelRatio.hpp"

namespace rovuzu {

// The canvas's drawing buffer, as large as the view at the device's pixel ratio where the
// browser and the GPU allow it, and at the largest ratio they allow where they do not: past
// the GPU's viewport or renderbuffer, or past the drawing buffer the browser actually gives
// (it quietly gives less than asked for a very large canvas).
class CanvasSize {
  public:
    // The canvas (a CSS selector) and its WebGL context, current.
    CanvasSize(const char* canvas, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);

    // Sizes the canvas's drawing buffer for a view of `points` at `wanted` pixels a point, or
    // fewer; returns the pixels a point it got.
    [[nodiscard]] double fit(CGSize points, double wanted) const;

  private:
    // Sets the drawing buffer's size; true when the browser gave all of it.
    [[nodiscard]] bool set(CGSize points, double ratio) const;

    const char* canvas_;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context_;
    PixelRatio::Limit gpu_;
};

}  // namespace rovuzu
