#include "platform/host/sdl/OffscreenCanvas.hpp"

#include <cmath>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/sdl/Renderer.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

OffscreenCanvas::OffscreenCanvas() = default;

OffscreenCanvas::~OffscreenCanvas() {
    renderer_.reset();
    if (sdl_ != nullptr) {
        SDL_DestroyRenderer(sdl_);
    }
}

// A renderer's textures belong to it, so a new size means a new surface, renderer and caches.
bool OffscreenCanvas::fit(CGSize points) {
    if (renderer_ && points == size_) {
        return true;
    }
    renderer_.reset();
    if (sdl_ != nullptr) {
        SDL_DestroyRenderer(sdl_);
        sdl_ = nullptr;
    }
    const int width = static_cast<int>(std::lround(points.width * kPixelsPerPoint));
    const int height = static_cast<int>(std::lround(points.height * kPixelsPerPoint));
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
    size_ = points;
    return true;
}

bool OffscreenCanvas::screenshot(const SKView& view, const CameraFeed* camera,
                                 const std::filesystem::path& file) {
    if (!fit(view.bounds().size)) {
        return false;
    }
    if (camera != nullptr) {
        renderer_->follow(*camera);
    }
    renderer_->draw(view, kPixelsPerPoint);
    return renderer_->savePNG(file);
}

}  // namespace rovuzu
