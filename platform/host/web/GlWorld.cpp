#include "platform/host/web/GlWorld.hpp"

#include <memory>

#include "platform/world/BuiltInWorld.hpp"

namespace rovuzu {

namespace {

// What shows where the world has nothing, such as from outside the room: the desktop's shade.
constexpr UIColor kBackdrop{38.0 / 255.0, 40.0 / 255.0, 46.0 / 255.0, 1.0};

}  // namespace

GlWorld::~GlWorld() {
    for (const GpuTextures::Id id : ids_) {
        textures_.remove(id);
    }
}

void GlWorld::prepare() {
    if (ids_.empty()) {
        for (const PixelImage& image : BuiltInWorld::shared().textures()) {
            // The world is painted once and kept for the program's life: its pictures are lent.
            ids_.push_back(textures_.add(
                {std::shared_ptr<const PixelImage>(std::shared_ptr<void>{}, &image), true, true}));
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
        painter.triangles(static_cast<GLuint>(textures_.handle(ids_[batch.texture])), vertices_,
                          UIColor::whiteColor(), false);
    }
}

}  // namespace rovuzu
