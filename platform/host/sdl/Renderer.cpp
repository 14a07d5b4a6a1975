#include "platform/host/sdl/Renderer.hpp"

#include <SDL2/SDL_image.h>

#include <cmath>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

namespace {

// The largest view, in pixels a side, that is drawn at all.
constexpr double kLargestSide = 16384.0;

std::optional<SDL_Rect> pixelArea(const CGRect& frame, double pixelsPerPoint) {
    const double x = std::round(frame.origin.x * pixelsPerPoint);
    const double y = std::round(frame.origin.y * pixelsPerPoint);
    const double w = std::round(frame.size.width * pixelsPerPoint);
    const double h = std::round(frame.size.height * pixelsPerPoint);
    const auto sensible = [](double v) { return std::isfinite(v) && std::abs(v) <= kLargestSide; };
    if (!sensible(x) || !sensible(y) || !sensible(w) || !sensible(h) || w < 1.0 || h < 1.0) {
        return std::nullopt;
    }
    return SDL_Rect{static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                    static_cast<int>(h)};
}

}  // namespace

Renderer::Renderer(SDL_Renderer* renderer, const std::filesystem::path& resources)
    : renderer_(renderer),
      fonts_(resources),
      text_(renderer, fonts_),
      textures_(renderer),
      nodes_(renderer, textures_, text_),
      world_(renderer),
      cameraFrame_(renderer),
      readouts_(renderer, text_) {}

void Renderer::draw(const SKView& view, double pixelsPerPoint) {
    // Taken before drawing: whether the world is drawn coarse depends on the frame before.
    drawn_ = keyFor(view, pixelsPerPoint);
    if (!(pixelsPerPoint > 0.0)) {
        return;
    }
    const auto area = pixelArea(view.frame(), pixelsPerPoint);
    if (!area) {
        return;
    }
    drawCameraPicture(view, *area, pixelsPerPoint);
    if (const auto& scene = view.scene()) {
        drawScene(*scene, view, *area, pixelsPerPoint);
    }
    readouts_.draw(view, *area, pixelsPerPoint);
    if (!notice_.empty()) {
        readouts_.drawNotice(notice_, *area, pixelsPerPoint);
    }
    text_.endFrame();
    textures_.endFrame();
}

bool Renderer::wouldRepeat(const SKView& view, double pixelsPerPoint) const {
    return drawn_ && *drawn_ == keyFor(view, pixelsPerPoint);
}

// The picture's part of the key follows drawCameraPicture's choices.
FrameKey Renderer::keyFor(const SKView& view, double pixelsPerPoint) const {
    FrameKey::Picture picture;
    const auto* arView = dynamic_cast<const ARSKView*>(&view);
    const auto area = pixelArea(view.frame(), pixelsPerPoint);
    if (arView != nullptr && cameraFrame_.hasFrame()) {
        picture.kind = FrameKey::Picture::Kind::camera;
        picture.cameraPicture = cameraPictures_;
    } else if (arView != nullptr && worldShown_) {
        const ARSession& session = arView->session();
        const ARCamera camera{session.worldOrigin() * session.cameraTransform(),
                              view.bounds().size};
        picture.kind = FrameKey::Picture::Kind::world;
        picture.pose = camera.transform();
        picture.coarse = area && world_.wouldBeCoarse(camera, *area, pixelsPerPoint);
    }
    return FrameKey{view, pixelsPerPoint, picture, notice_};
}

void Renderer::drawCameraPicture(const SKView& view, const SDL_Rect& area, double pixelsPerPoint) {
    const auto* arView = dynamic_cast<const ARSKView*>(&view);
    if (arView != nullptr && cameraFrame_.hasFrame()) {
        cameraFrame_.draw(area);
    } else if (arView != nullptr && worldShown_) {
        // The world stays where it is when tracking restarts elsewhere: the camera's pose in
        // the world, not in the session's coordinates, as of the last pose tracked.
        const ARSession& session = arView->session();
        const ARCamera camera{session.worldOrigin() * session.cameraTransform(),
                              view.bounds().size};
        world_.draw(camera, area, pixelsPerPoint);
    } else {
        SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderFillRect(renderer_, &area);
    }
}

void Renderer::drawScene(const SKScene& scene, const SKView& view, const SDL_Rect& area,
                         double pixelsPerPoint) {
    const CGSize points = view.bounds().size;
    const CGSize units = scene.size();
    if (!(units.width > 0.0 && units.height > 0.0)) {
        return;
    }
    const CGPoint anchor = scene.anchorPoint();
    const NodePainter::ScenePixels pixels{
        area.x + anchor.x * points.width * pixelsPerPoint,
        area.y + (1.0 - anchor.y) * points.height * pixelsPerPoint,
        points.width / units.width * pixelsPerPoint, points.height / units.height * pixelsPerPoint,
        area};
    for (const SKScene::DrawItem& item : scene.nodesInDrawOrder()) {
        nodes_.draw(item, pixels);
    }
}

void Renderer::setCameraFrame(const CameraFrame& frame) {
    cameraFrame_.setFrame(frame);
    ++cameraPictures_;
}

void Renderer::clearCameraFrame() {
    cameraFrame_.clear();
    ++cameraPictures_;
}

void Renderer::follow(const CameraFeed& camera) {
    if (camera.picture() != nullptr && camera.pictureNumber() != followedPicture_) {
        setCameraFrame(*camera.picture());
        followedPicture_ = camera.pictureNumber();
    }
    notice_ = camera.notice();
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
