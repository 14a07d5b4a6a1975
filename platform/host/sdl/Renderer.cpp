#include "platform/host/sdl/Renderer.hpp"

#include <SDL2/SDL_image.h>

#include <cmath>

#include "platform/foundation/Console.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/ReadoutStrip.hpp"

namespace rovuzu {

Renderer::Renderer(SDL_Renderer* renderer, const std::filesystem::path& resources)
    : maker_(renderer),
      gpu_(maker_),
      fonts_(resources),
      typesetter_(fonts_),
      text_(typesetter_, gpu_),
      textures_(maker_, gpu_),
      items_(maker_, textures_, text_),
      world_(maker_, gpu_),
      cameraFrame_(maker_) {}

void Renderer::draw(const Frame& frame) {
    if (frame.area.width <= 0 || frame.area.height <= 0) {
        return;
    }
    const SDL_Rect area{frame.area.x, frame.area.y, frame.area.width, frame.area.height};
    drawBackdrop(frame, area);
    for (const Frame::Item& item : frame.items) {
        items_.draw(item, area);
    }
    drawStrip(frame.readouts, Readouts::Corner::bottomRight, frame);
    drawStrip(frame.notice, Readouts::Corner::topCentre, frame);
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
        SDL_Renderer* renderer = maker_.renderer();
        SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderFillRect(renderer, &area);
    }
}

void Renderer::drawStrip(const std::string& line, Readouts::Corner corner, const Frame& frame) {
    const auto strip = ReadoutStrip::of(text_, line, corner, frame);
    if (!strip) {
        return;
    }
    SDL_Renderer* renderer = maker_.renderer();
    const SDL_Rect backing{strip->backing.x, strip->backing.y, strip->backing.width,
                           strip->backing.height};
    SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0,
                           static_cast<Uint8>(std::lround(strip->backingColour.alpha * 255.0)));
    SDL_RenderFillRect(renderer, &backing);
    const PixelBox& box = strip->text.box;
    const SDL_Rect text{static_cast<int>(box.x), static_cast<int>(box.y),
                        static_cast<int>(box.width), static_cast<int>(box.height)};
    SDL_Texture* texture = SdlTextureMaker::texture(strip->text.texture);
    SDL_SetTextureColorMod(texture, 255, 255, 255);
    SDL_SetTextureAlphaMod(texture, 255);
    SDL_RenderCopy(renderer, texture, nullptr, &text);
}

void Renderer::follow(const CameraFeed& camera) {
    if (camera.picture() != nullptr && camera.pictureNumber() != followedPicture_) {
        setCameraFrame(*camera.picture());
        followedPicture_ = camera.pictureNumber();
    }
}

void Renderer::reset(SDL_Renderer* renderer) {
    gpu_.release();
    textures_.reset();
    world_.reset();
    cameraFrame_.reset();
    followedPicture_ = 0;
    maker_.setRenderer(renderer);
    gpu_.restore();
}

bool Renderer::savePNG(const std::filesystem::path& file) const {
    int width = 0;
    int height = 0;
    SDL_Renderer* renderer = maker_.renderer();
    SDL_Texture* target = SDL_GetRenderTarget(renderer);
    const int sized = target != nullptr
                          ? SDL_QueryTexture(target, nullptr, nullptr, &width, &height)
                          : SDL_GetRendererOutputSize(renderer, &width, &height);
    const SurfacePtr surface{
        sized == 0 ? SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24)
                   : nullptr};
    if (!surface ||
        SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_RGB24, surface->pixels,
                             surface->pitch) != 0 ||
        IMG_SavePNG(surface.get(), file.c_str()) != 0) {
        diagnose(file.string() + ": cannot write the screenshot (" + SDL_GetError() + ")");
        return false;
    }
    return true;
}

}  // namespace rovuzu
