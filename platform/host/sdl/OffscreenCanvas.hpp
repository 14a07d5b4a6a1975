#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

class CameraFeed;
class Renderer;
struct Frame;

// Pictures without a window: SDL's software renderer drawing into a surface of two pixels per
// view point. Headless runs use it for screenshots; its pixels are the same on every machine.
class OffscreenCanvas {
  public:
    static constexpr double kPixelsPerPoint = 2.0;
    static constexpr int kLargestSide = 16384;  // pixels

    OffscreenCanvas();
    OffscreenCanvas(const OffscreenCanvas&) = delete;
    OffscreenCanvas& operator=(const OffscreenCanvas&) = delete;
    ~OffscreenCanvas();

    // Draws a frame of a view of `points`, laid out at kPixelsPerPoint, over the camera's
    // picture when there is a camera, and writes it as a PNG; says why on stderr when it cannot.
    bool screenshot(CGSize points, const Frame& frame, const CameraFeed* camera,
                    const std::filesystem::path& file);

  private:
    bool fit(int width, int height);

    SurfacePtr surface_;
    SDL_Renderer* sdl_ = nullptr;
    std::unique_ptr<Renderer> renderer_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace rovuzu
