#include "Canvas.hpp"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <glm/common.hpp>
#include <glm/vec3.hpp>
#include <memory>
#include <stdexcept>
#include <string>

namespace rovuzu {

namespace {

using SurfacePtr = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

float edgeCoverage(float distancePixels, float blur) {
    const float t = std::clamp(0.5f - distancePixels / blur, 0.0f, 1.0f);
    // A smoothstep ramp keeps wide shadow edges from showing a visible band.
    return blur > 1.0f ? t * t * (3.0f - 2.0f * t) : t;
}

Uint8 toByte(float value) {
    return static_cast<Uint8>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      premultiplied_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

void Canvas::setView(glm::vec2 origin, float scale) {
    origin_ = origin;
    scale_ = scale;
}

void Canvas::fill(const Field& shape, const Paint& paint, float blur) {
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const glm::vec2 p = designPoint(x, y);
            const float coverage = edgeCoverage(shape(p) * scale_, blur);
            if (coverage > 0.0f) {
                blend(x, y, paint(p), coverage);
            }
        }
    }
}

void Canvas::fill(const Field& shape, Colour colour, float blur) {
    fill(
        shape, [colour](glm::vec2) { return colour; }, blur);
}

void Canvas::fillMask(const AlphaMask& mask, glm::ivec2 topLeft, const Paint& paint) {
    for (int my = 0; my < mask.height; ++my) {
        for (int mx = 0; mx < mask.width; ++mx) {
            const int x = topLeft.x + mx;
            const int y = topLeft.y + my;
            const float coverage = mask.at(mx, my);
            if (x >= 0 && y >= 0 && x < width_ && y < height_ && coverage > 0.0f) {
                blend(x, y, paint(designPoint(x, y)), coverage);
            }
        }
    }
}

void Canvas::savePng(const std::filesystem::path& file) const {
    SurfacePtr surface(
        SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_RGBA32),
        &SDL_FreeSurface);
    if (!surface) {
        throw std::runtime_error(std::string("SDL_CreateRGBSurface: ") + SDL_GetError());
    }
    for (int y = 0; y < height_; ++y) {
        auto* row =
            static_cast<Uint8*>(surface->pixels) + static_cast<std::ptrdiff_t>(y) * surface->pitch;
        for (int x = 0; x < width_; ++x) {
            const Colour c = premultiplied_[index(x, y)];
            const float unpremultiply = c.a > 0.0f ? 1.0f / c.a : 0.0f;
            Uint8* pixel = row + static_cast<std::ptrdiff_t>(x) * 4;
            pixel[0] = toByte(c.r * unpremultiply);
            pixel[1] = toByte(c.g * unpremultiply);
            pixel[2] = toByte(c.b * unpremultiply);
            pixel[3] = toByte(c.a);
        }
    }
    if (IMG_SavePNG(surface.get(), file.c_str()) != 0) {
        throw std::runtime_error("IMG_SavePNG " + file.string() + ": " + IMG_GetError());
    }
}

glm::vec2 Canvas::designPoint(int x, int y) const {
    const glm::vec2 pixelCentre(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
    return (pixelCentre - origin_) / scale_;
}

void Canvas::blend(int x, int y, Colour colour, float coverage) {
    Colour& dst = premultiplied_[index(x, y)];
    const float alpha = colour.a * coverage;
    const Colour src(glm::vec3(colour) * alpha, alpha);
    dst = src + dst * (1.0f - alpha);
}

}  // namespace rovuzu
