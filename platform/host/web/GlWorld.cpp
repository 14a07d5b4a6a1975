#include "platform/host/web/GlWorld.hpp"

#include <memory>

namespace rovuzu {

namespace {

// What shows where the world has nothing, such as from outside the room: the desktop's shade.
constexpr UIColor kBackdrop{38.0 / 255.0, 40.0 / 255.0, 46.0 / 255.0, 1.0};

}  // namespace

GlWorld::GlWorld(GpuTextures& textures)
    : textures_(textures), world_(BuiltInWorld::unpainted()), ids_(world_.textures().size(), 0) {}

GlWorld::~GlWorld() {
    for (const GpuTextures::Id id : ids_) {
        textures_.remove(id);
    }
}

bool GlWorld::prepare() {
    if (const auto finished = world_.paintStep()) {
        // The world is kept as long as this: its pictures are lent.
        const PixelImage& image = world_.textures()[*finished];
        ids_[*finished] = textures_.add(
            {std::shared_ptr<const PixelImage>(std::shared_ptr<void>{}, &image), true, true});
    }
    return !world_.isPainted();
}

void GlWorld::draw(GlPainter& painter, const ARCamera& camera, const PixelArea& area,
                   double pixelsPerPoint) {
    while (prepare()) {
    }
    painter.fill({static_cast<float>(area.x), static_cast<float>(area.y),
                  static_cast<float>(area.width), static_cast<float>(area.height)},
                 kBackdrop);
    const auto scale = static_cast<float>(pixelsPerPoint);
    const auto x0 = static_cast<float>(area.x);
    const auto y0 = static_cast<float>(area.y);
    const WorldFrame frame = world_.frame(camera);
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
