#include "platform/host/sdl/Renderer.hpp"

#include <SDL2/SDL_image.h>

#include "platform/foundation/Console.hpp"
#include "platform/host/core/CameraFeed.hpp"

namespace rovuzu {

Renderer::Renderer(SDL_Renderer* renderer, const std::filesystem::path& resources)
    : renderer_(renderer),
      fonts_(resources),
      text_(renderer, fonts_),
      textures_(renderer),
      items_(renderer, textures_, text_),
      world_(renderer),
      cameraFrame_(renderer),
      readouts_(renderer, text_) {}

void Renderer::draw(const Frame& frame) {
    if (frame.area.width <= 0 || frame.area.height <= 0) {
        return;
    }
    const SDL_Rect area{frame.area.x, frame.area.y, frame.area.width, frame.area.height};
    drawBackdrop(frame, area);
    for (const Frame::Item& item : frame.items) {
        items_.draw(item, area);
    }
    readouts_.draw(frame.readouts, Readouts::Corner::bottomRight, frame.area, frame.pixelsPerPoint);
    readouts_.draw(frame.notice, Readouts::Corner::topCentre, frame.area, frame.pixelsPerPoint);
    text_.endFrame();
    textures_.endFrame();
}

void Renderer::drawBackdrop(const Frame& frame, const SDL_Rect& area) {
    const Frame::Backdrop& backdrop = frame.backdrop;
    if (backdrop.kind == Frame::Backdrop::Kind::camera && cameraFrame_.hasFrame()) {
        cameraFrame_.draw(area, backdrop);
    } else if (backdrop.kind == Frame::Backdrop::Kind::world) {
        world_.draw(ARCamera{backdrop.pose, backdrop.viewport}, area, frame.pixelsPerPoint,
                    backdrop.coarse);
    } else {
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderFillRect(renderer_, &area);
    }
}

void Renderer::follow(const CameraFeed& camera) {
    if (camera.picture() != nullptr && camera.pictureNumber() != followedPicture_) {
        setCameraFrame(*camera.picture());
        followedPicture_ = camera.pictureNumber();
    }
}

bool Renderer::savePNG(const std::filesystem::path& file) const {
    int width = 0;
    int height = 0;
    SDL_Texture* target = SDL_GetRenderTarget(renderer_);
    const int sized = target != nullptr
                          ? SDL_QueryTexture(target, nullptr, nullptr, &width, &height)
                          : SDL_GetRendererOutputSize(renderer_, &width, &height);
    const SurfacePtr surface{
        sized == 0 ? SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24)
                   : nullptr};
    if (!surface ||
        SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB24, surface->pixels,
                             surface->pitch) != 0 ||
        IMG_SavePNG(surface.get(), file.c_str()) != 0) {
        diagnose(file.string() + ": cannot write the screenshot (" + SDL_GetError() + ")");
        return false;
    }
    return true;
}

}  // namespace rovuzu
