#include "platform/host/sdl/CameraFrameLayer.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

constexpr int kMaxSide = 16384;

}  // namespace

CameraFrameLayer::CameraFrameLayer(SdlTextureMaker& maker) : maker_(maker) {}

bool CameraFrameLayer::isUsable(const CameraFrame& frame) {
    const bool sized =
        frame.width > 0 && frame.height > 0 && frame.width <= kMaxSide && frame.height <= kMaxSide;
    const std::size_t needed =
        sized ? static_cast<std::size_t>(frame.width) * static_cast<std::size_t>(frame.height) * 3U
              : 0U;
    if (sized && frame.rgb.size() >= needed) {
        return true;
    }
    if (!refusedOnce_) {
        refusedOnce_ = true;
        diagnose("camera frame: " + std::to_string(frame.width) + "x" +
                 std::to_string(frame.height) + " with " + std::to_string(frame.rgb.size()) +
                 " bytes is not a whole RGB picture; it is not shown");
    }
    return false;
}

bool CameraFrameLayer::prepareTexture(int width, int height) {
    if (texture_ && width == width_ && height == height_) {
        return true;
    }
    texture_.reset(SDL_CreateTexture(maker_.renderer(), SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STREAMING, width, height));
    width_ = texture_ ? width : 0;
    height_ = texture_ ? height : 0;
    if (!texture_) {
        diagnose("camera frame: cannot make a " + std::to_string(width) + "x" +
                 std::to_string(height) + " texture (" + SDL_GetError() + "); it is not shown");
        return false;
    }
    SDL_SetTextureBlendMode(texture_.get(), SDL_BLENDMODE_NONE);
    SDL_SetTextureScaleMode(texture_.get(), SDL_ScaleModeLinear);
    return true;
}

void CameraFrameLayer::setFrame(const CameraFrame& frame) {
    if (!isUsable(frame) || !prepareTexture(frame.width, frame.height)) {
        return;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture_.get(), nullptr, &pixels, &pitch) != 0) {
        return;
    }
    // Converted once here, so that drawing is a plain copy in the target's own format.
    SDL_ConvertPixels(frame.width, frame.height, SDL_PIXELFORMAT_RGB24, frame.rgb.data(),
                      frame.width * 3, SDL_PIXELFORMAT_ARGB8888, pixels, pitch);
    SDL_UnlockTexture(texture_.get());
    shown_ = true;
}

void CameraFrameLayer::clear() {
    shown_ = false;
}

void CameraFrameLayer::reset() {
    texture_.reset();
    width_ = 0;
    height_ = 0;
    shown_ = false;
}

void CameraFrameLayer::draw(const SDL_Rect& area, const Frame::Backdrop& backdrop) const {
    const CGRect& part = backdrop.picturePart;
    if (!shown_ || area.w <= 0 || area.h <= 0 || !(part.size.width > 0.0)) {
        return;
    }
    // The picture held may be another size than the one laid out: the part scales with it.
    const double toHeld =
        backdrop.pictureSize.width > 0.0 ? width_ / backdrop.pictureSize.width : 1.0;
    const double scale = area.w / (part.size.width * toHeld);  // target pixels per picture pixel
    const SDL_FRect whole{static_cast<float>(area.x - part.origin.x * toHeld * scale),
                          static_cast<float>(area.y - part.origin.y * toHeld * scale),
                          static_cast<float>(width_ * scale), static_cast<float>(height_ * scale)};
    SDL_Renderer* renderer = maker_.renderer();
    SDL_Rect previous{};
    const bool clipped = SDL_RenderIsClipEnabled(renderer) == SDL_TRUE;
    SDL_RenderGetClipRect(renderer, &previous);
    SDL_RenderSetClipRect(renderer, &area);
    SDL_RenderCopyF(renderer, texture_.get(), nullptr, &whole);
    SDL_RenderSetClipRect(renderer, clipped ? &previous : nullptr);
}

}  // namespace rovuzu
