#include "platform/host/sdl/OffscreenCanvas.hpp"

#include <cmath>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/sdl/Renderer.hpp"

namespace rovuzu {

OffscreenCanvas::OffscreenCanvas() = default;

OffscreenCanvas::~OffscreenCanvas() {
    renderer_.reset();
    if (sdl_ != nullptr) {
        SDL_DestroyRenderer(sdl_);
    }
}

// A renderer's textures belong to it, so a new size means a new surface, renderer and caches.
bool OffscreenCanvas::fit(int width, int height) {
    if (renderer_ && width == width_ && height == height_) {
        return true;
    }
    renderer_.reset();
    if (sdl_ != nullptr) {
        SDL_DestroyRenderer(sdl_);
        sdl_ = nullptr;
    }
    // The renderer draws at most this much a side; a larger surface would only cost gigabytes.
    if (width > kLargestSide || height > kLargestSide) {
        diagnose("cannot draw offscreen at " + std::to_string(width) + "x" +
                 std::to_string(height) + " pixels (at most " + std::to_string(kLargestSide) +
                 " a side)");
        return false;
    }
    surface_.reset(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    sdl_ = surface_ ? SDL_CreateSoftwareRenderer(surface_.get()) : nullptr;
    if (sdl_ == nullptr) {
        diagnose(std::string("cannot draw offscreen at ") + std::to_string(width) + "x" +
                 std::to_string(height) + " pixels (" + SDL_GetError() + ")");
        return false;
    }
    renderer_ = std::make_unique<Renderer>(sdl_, NSBundle::mainBundle().bundlePath());
    width_ = width;
    height_ = height;
    return true;
}

bool OffscreenCanvas::screenshot(CGSize points, const Frame& frame, const CameraFeed* camera,
                                 const std::filesystem::path& file) {
    if (!fit(static_cast<int>(std::lround(points.width * kPixelsPerPoint)),
             static_cast<int>(std::lround(points.height * kPixelsPerPoint)))) {
        return false;
    }
    if (camera != nullptr) {
        renderer_->follow(*camera);
    }
    renderer_->draw(frame);
    return renderer_->savePNG(file);
}

}  // namespace rovuzu
