#include "platform/host/web/GlWorld.hpp"

#include "platform/host/web/GlTextures.hpp"
#include "platform/world/BuiltInWorld.hpp"

namespace rovuzu {

namespace {

// What shows where the world has nothing, such as from outside the room: the desktop's shade.
constexpr UIColor kBackdrop{38.0 / 255.0, 40.0 / 255.0, 46.0 / 255.0, 1.0};

}  // namespace

GlWorld::~GlWorld() {
    glDeleteTextures(static_cast<GLsizei>(textures_.size()), textures_.data());
}

void GlWorld::prepare() {
    if (textures_.empty()) {
        for (const PixelImage& image : BuiltInWorld::shared().textures()) {
            textures_.push_back(GlTextures::upload(image));
        }
    }
}

void GlWorld::draw(GlPainter& painter, const ARCamera& camera, const PixelArea& area,
                   double pixelsPerPoint) {
    prepare();
    painter.fill({static_cast<float>(area.x), static_cast<float>(area.y),
                  static_cast<float>(area.width), static_cast<float>(area.height)},
                 kBackdrop);
    const auto scale = static_cast<float>(pixelsPerPoint);
    const auto x0 = static_cast<float>(area.x);
    const auto y0 = static_cast<float>(area.y);
    const WorldFrame frame = BuiltInWorld::shared().frame(camera);
    for (const WorldBatch& batch : frame.batches()) {
        vertices_.clear();
        for (const WorldVertex& v : batch.vertices) {
            vertices_.push_back({x0 + v.x * scale, y0 + v.y * scale, v.u, v.v});
        }
        painter.triangles(textures_[batch.texture], vertices_, UIColor::whiteColor(), false);
    }
}

}  // namespace rovuzu
