#include "platform/host/web/GlRenderer.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/host/core/ReadoutStrip.hpp"
#include "platform/host/web/Page.hpp"
#include "platform/spritekit/SKLabelNode.hpp"

namespace rovuzu {

namespace {

PixelBox boxOf(const PixelArea& area) {
    return {static_cast<float>(area.x), static_cast<float>(area.y), static_cast<float>(area.width),
            static_cast<float>(area.height)};
}

}  // namespace

GlRenderer::GlRenderer(const std::filesystem::path& resources) : typesetter_(resources) {}

bool GlRenderer::prepare() {
    if (std::exchange(textPrepared_, true)) {
        return world_.prepare();
    }
    // A page compiles its code as it first runs it: set ahead, these lines spare the round's
    // first frame the wait for the code that sets text (30 ms with the CPU slowed four times).
    constexpr double kPhonePixelsPerPoint = 3.0;
    const auto size = static_cast<int>(std::lround(Readouts::kFontSize * kPhonePixelsPerPoint));
    for (const char* face : {Readouts::kFontName, SKLabelNode::kDefaultFontName}) {
        static_cast<void>(
            text_.line(face, size, Readouts::halo(kPhonePixelsPerPoint), "0123456789"));
    }
    return true;
}

void GlRenderer::draw(const Frame& frame) {
    draw(frame, {0, 0, frame.area.x + frame.area.width, frame.area.y + frame.area.height});
}

void GlRenderer::draw(const Frame& frame, const PixelArea& viewport) {
    painter_.begin(viewport, frame.backdrop.kind == Frame::Backdrop::Kind::passthrough);
    if (frame.area.width <= 0 || frame.area.height <= 0) {
        return;
    }
    drawBackdrop(frame);
    for (const Frame::Item& item : frame.items) {
        if (const auto* sprite = std::get_if<Frame::Sprite>(&item)) {
            drawSprite(*sprite);
        } else {
            drawText(std::get<Frame::Text>(item));
        }
    }
    drawStrip(frame.readouts, Readouts::Corner::bottomRight, frame);
    drawStrip(frame.notice, Readouts::Corner::topCentre, frame);
    text_.endFrame();
}

void GlRenderer::drawBackdrop(const Frame& frame) {
    const Frame::Backdrop& backdrop = frame.backdrop;
    if (backdrop.kind == Frame::Backdrop::Kind::camera) {
        drawCamera(frame.area, backdrop);
    } else if (backdrop.kind == Frame::Backdrop::Kind::world) {
        world_.draw(painter_, ARCamera{backdrop.pose, backdrop.viewport}, frame.area,
                    frame.pixelsPerPoint);
    }
}

void GlRenderer::drawCamera(const PixelArea& area, const Frame::Backdrop& backdrop) {
    int width = 0;
    int height = 0;
    const GLuint camera = resources_.camera();
    rovuzu_camera_upload(camera, &width, &height);
    const CGRect& shown = backdrop.picturePart;
    const CGSize size = backdrop.pictureSize;
    if (width <= 0 || !(size.width > 0.0 && size.height > 0.0)) {
        return;
    }
    // Texture coordinates run 0 to 1 whatever size the video has come to since the layout.
    const GlPainter::TexturePart part{
        static_cast<float>(shown.origin.x / size.width),
        static_cast<float>(shown.origin.y / size.height),
        static_cast<float>((shown.origin.x + shown.size.width) / size.width),
        static_cast<float>((shown.origin.y + shown.size.height) / size.height)};
    painter_.quad(camera, boxOf(area), part, UIColor::whiteColor(), false);
}

void GlRenderer::drawSprite(const Frame::Sprite& sprite) {
    GlPainter::TexturePart part;
    if (sprite.flipX) {
        std::swap(part.u0, part.u1);
    }
    if (sprite.flipY) {
        std::swap(part.v0, part.v1);
    }
    painter_.quad(textures_.texture(*sprite.texture), sprite.box, part, sprite.tint);
}

void GlRenderer::drawText(const Frame::Text& text) {
    if (const auto placed = text_.place(text)) {
        painter_.quad(static_cast<GLuint>(placed->texture), placed->box, {}, text.tint);
    }
}

void GlRenderer::drawStrip(const std::string& line, Readouts::Corner corner, const Frame& frame) {
    if (const auto strip = ReadoutStrip::of(text_, line, corner, frame)) {
        painter_.fill(boxOf(strip->backing), strip->backingColour);
        painter_.quad(static_cast<GLuint>(strip->text.texture), strip->text.box, {},
                      UIColor::whiteColor());
    }
}

}  // namespace rovuzu
