#include "platform/host/web/CanvasSize.hpp"

#include <GLES2/gl2.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace rovuzu {

namespace {

PixelRatio::Limit gpuLimit() {
    std::array<GLint, 2> viewport{};
    GLint renderbuffer = 0;
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport.data());
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    // A limit a context cannot tell (a lost one answers nothing) is no limit.
    const auto least = [](GLint a, GLint b) { return a <= 0 ? b : (b <= 0 ? a : std::min(a, b)); };
    return {least(viewport[0], renderbuffer), least(viewport[1], renderbuffer)};
}

}  // namespace

CanvasSize::CanvasSize(const char* canvas, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
    : canvas_(canvas), context_(context), gpu_(gpuLimit()) {}

double CanvasSize::fit(CGSize points, double wanted) const {
    const double ratio = PixelRatio::largestFitting(points, wanted, gpu_);
    if (set(points, ratio)) {
        return ratio;
    }
    int width = 0;
    int height = 0;
    emscripten_webgl_get_drawing_buffer_size(context_, &width, &height);
    const double given = PixelRatio::largestFitting(points, ratio, {width, height});
    static_cast<void>(set(points, given));
    return given;
}

bool CanvasSize::set(CGSize points, double ratio) const {
    const auto width = static_cast<int>(std::lround(points.width * ratio));
    const auto height = static_cast<int>(std::lround(points.height * ratio));
    emscripten_set_canvas_element_size(canvas_, width, height);
    int givenWidth = 0;
    int givenHeight = 0;
    emscripten_webgl_get_drawing_buffer_size(context_, &givenWidth, &givenHeight);
    return givenWidth >= width && givenHeight >= height;
}

}  // namespace rovuzu
