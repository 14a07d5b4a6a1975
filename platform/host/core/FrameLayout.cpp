#include "platform/host/core/FrameLayout.hpp"

#include <algorithm>
#include <cmath>
#include <optional>

#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/core/TextHalo.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKSpriteNode.hpp"

namespace rovuzu {

namespace {

// The largest view, in pixels a side, that is drawn at all.
constexpr double kLargestSide = 16384.0;
// Nothing sensible lies further out than this many pixels, and backends' integer rectangles
// would overflow there.
constexpr float kFarthestPixel = 1.0e9F;

std::optional<PixelArea> pixelArea(const CGRect& frame, double pixelsPerPoint) {
    const double x = std::round(frame.origin.x * pixelsPerPoint);
    const double y = std::round(frame.origin.y * pixelsPerPoint);
    const double w = std::round(frame.size.width * pixelsPerPoint);
    const double h = std::round(frame.size.height * pixelsPerPoint);
    const auto sensible = [](double v) { return std::isfinite(v) && std::abs(v) <= kLargestSide; };
    if (!(pixelsPerPoint > 0.0) || !sensible(x) || !sensible(y) || !sensible(w) || !sensible(h) ||
        w < 1.0 || h < 1.0) {
        return std::nullopt;
    }
    return PixelArea{static_cast<int>(x), static_cast<int>(y), static_cast<int>(w),
                     static_cast<int>(h)};
}

// Where scene units land in the target: x grows right, y grows up in the scene and down in
// pixels.
struct ScenePixels {
    double originX = 0.0;
    double originY = 0.0;
    double scaleX = 1.0;  // pixels per scene unit
    double scaleY = 1.0;

    [[nodiscard]] PixelPoint toPixels(CGPoint p) const {
        return {static_cast<float>(originX + p.x * scaleX),
                static_cast<float>(originY - p.y * scaleY)};
    }
};

bool isDrawable(const PixelBox& r) {
    return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.width) &&
           std::isfinite(r.height) && r.width > 0.0F && r.height > 0.0F &&
           std::abs(r.x) < kFarthestPixel && std::abs(r.y) < kFarthestPixel &&
           r.width < kFarthestPixel && r.height < kFarthestPixel;
}

// The base colour with the blend colour mixed in by `factor`: a factor of 0 leaves it as is.
UIColor blended(const UIColor& base, const UIColor& blend, double factor) {
    const double f = std::isfinite(factor) ? std::clamp(factor, 0.0, 1.0) : 0.0;
    return {base.red + (blend.red - base.red) * f, base.green + (blend.green - base.green) * f,
            base.blue + (blend.blue - base.blue) * f, base.alpha};
}

double unitAlpha(double alpha) {
    return std::isfinite(alpha) ? std::clamp(alpha, 0.0, 1.0) : 0.0;
}

std::optional<Frame::Sprite> spriteOf(const SKSpriteNode& sprite, const SKScene::DrawItem& item,
                                      const ScenePixels& scene) {
    if (!sprite.texture()) {
        return std::nullopt;
    }
    const CGSize size = sprite.size();
    const CGPoint anchor = sprite.anchorPoint();
    const PixelPoint a = scene.toPixels(
        item.toScene.apply(CGPoint{-anchor.x * size.width, -anchor.y * size.height}));
    const PixelPoint b = scene.toPixels(
        item.toScene.apply(CGPoint{(1.0 - anchor.x) * size.width, (1.0 - anchor.y) * size.height}));
    const PixelBox box{std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x),
                       std::abs(b.y - a.y)};
    if (!isDrawable(box)) {
        return std::nullopt;
    }
    UIColor tint = blended(UIColor::whiteColor(), sprite.color(), sprite.colorBlendFactor());
    tint.alpha = unitAlpha(item.alpha);
    // The image's top edge is at b (larger scene y) unless the scale turned it over.
    return Frame::Sprite{sprite.texture(), box, b.x<a.x, b.y> a.y, tint};
}

std::optional<Frame::Text> textOf(const SKLabelNode& label, const SKScene::DrawItem& item,
                                  const ScenePixels& scene, double pixelsPerPoint) {
    const double sizeX = std::abs(item.toScene.sx * scene.scaleX) * label.fontSize();
    const double sizeY = std::abs(item.toScene.sy * scene.scaleY) * label.fontSize();
    if (label.text().empty() ||
        !(sizeY >= 1.0 && sizeX >= 1.0 && sizeY < kFarthestPixel && sizeX < kFarthestPixel)) {
        return std::nullopt;
    }
    UIColor tint = blended(label.fontColor(), label.color(), label.colorBlendFactor());
    tint.alpha = unitAlpha(item.alpha * tint.alpha);
    return Frame::Text{label.text(),
                       label.fontName(),
                       sizeX,
                       sizeY,
                       scene.toPixels(item.toScene.apply(CGPoint{0.0, 0.0})),
                       label.horizontalAlignmentMode(),
                       tint,
                       TextHalo::thickness(sizeY, pixelsPerPoint)};
}

// Whether the world's picture would be taken from elsewhere than in the frame before.
bool cameraMoved(const Frame& frame, const Frame& previous) {
    const Frame::Backdrop& now = frame.backdrop;
    const Frame::Backdrop& then = previous.backdrop;
    return then.kind == Frame::Backdrop::Kind::world &&
           (now.pose != then.pose || now.viewport != then.viewport ||
            frame.pixelsPerPoint != previous.pixelsPerPoint ||
            frame.area.width != previous.area.width || frame.area.height != previous.area.height);
}

}  // namespace

Frame FrameLayout::of(const SKView& view, double pixelsPerPoint, const Surroundings& surroundings,
                      const Frame* previous) {
    Frame frame;
    const auto area = pixelArea(view.frame(), pixelsPerPoint);
    if (!area) {
        return frame;
    }
    frame.area = *area;
    frame.pixelsPerPoint = pixelsPerPoint;
    frame.backdrop = backdrop(view, surroundings);
    frame.backdrop.coarse = frame.backdrop.kind == Frame::Backdrop::Kind::world &&
                            surroundings.quickWhileMoving && previous != nullptr &&
                            cameraMoved(frame, *previous);
    if (const auto& scene = view.scene()) {
        addScene(*scene, view, frame);
    }
    frame.readouts = Readouts::text(view);
    frame.notice = surroundings.notice;
    return frame;
}

Frame::Backdrop FrameLayout::backdrop(const SKView& view, const Surroundings& surroundings) {
    Frame::Backdrop backdrop;
    const auto* arView = dynamic_cast<const ARSKView*>(&view);
    if (arView == nullptr) {
        return backdrop;
    }
    const ARCamera camera = arView->camera();
    const auto& picture = arView->session().cameraIntrinsics();
    if (surroundings.passthrough) {
        backdrop.kind = Frame::Backdrop::Kind::passthrough;
    } else if (surroundings.cameraPicture != 0 && picture && camera.visiblePart()) {
        backdrop.kind = Frame::Backdrop::Kind::camera;
        backdrop.cameraPicture = surroundings.cameraPicture;
        backdrop.pictureSize = {static_cast<double>(picture->width()),
                                static_cast<double>(picture->height())};
        backdrop.picturePart = *camera.visiblePart();
    } else if (surroundings.worldShown) {
        // The world stays where it is when tracking restarts elsewhere: the camera's pose in
        // the world, not in the session's coordinates, as of the last pose tracked.
        const ARSession& session = arView->session();
        backdrop.kind = Frame::Backdrop::Kind::world;
        backdrop.pose = session.worldOrigin() * session.cameraTransform();
        backdrop.viewport = view.bounds().size;
    }
    return backdrop;
}

void FrameLayout::addScene(const SKScene& scene, const SKView& view, Frame& frame) {
    const CGSize points = view.bounds().size;
    const CGSize units = scene.size();
    if (!(units.width > 0.0 && units.height > 0.0)) {
        return;
    }
    const double pixelsPerPoint = frame.pixelsPerPoint;
    const CGPoint anchor = scene.anchorPoint();
    const ScenePixels pixels{frame.area.x + anchor.x * points.width * pixelsPerPoint,
                             frame.area.y + (1.0 - anchor.y) * points.height * pixelsPerPoint,
                             points.width / units.width * pixelsPerPoint,
                             points.height / units.height * pixelsPerPoint};
    for (const SKScene::DrawItem& item : scene.nodesInDrawOrder()) {
        if (!(item.alpha > 0.0)) {
            continue;
        }
        if (const auto* sprite = dynamic_cast<const SKSpriteNode*>(item.node)) {
            if (auto drawn = spriteOf(*sprite, item, pixels)) {
                frame.items.emplace_back(std::move(*drawn));
            }
        } else if (const auto* label = dynamic_cast<const SKLabelNode*>(item.node)) {
            if (auto drawn = textOf(*label, item, pixels, pixelsPerPoint)) {
                frame.items.emplace_back(std::move(*drawn));
            }
        }
    }
}

}  // namespace rovuzu
