#include "platform/host/web/GlWorld.hpp"

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/host/web/Page.hpp"
#include "platform/world/PictureArchive.hpp"

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
    if (!unkept_.empty()) {
        // Taken pictures go to the GPU one a call: together they are megabytes.
        keep(unkept_.back());
        unkept_.pop_back();
        return !unkept_.empty();
    }
    if (world_.isPainted()) {
        return false;
    }
    if (takeSaved()) {
        return true;
    }
    if (const auto finished = world_.paintStep()) {
        keep(*finished);
        if (world_.isPainted()) {
            const std::vector<std::uint8_t> bytes = PictureArchive::pack(world_.textures());
            rovuzu_room_save(bytes.data(), static_cast<int>(bytes.size()));
        }
    }
    return !world_.isPainted();
}

// The pictures as this very build paints them, which the page has ready (kept from an earlier
// visit, or painted by a worker beside the page): the painting is the most of a phone's wait
// for "Jugar". What was painted here so far stays; the rest is taken.
bool GlWorld::takeSaved() {
    const int length = rovuzu_room_saved_length();
    if (length <= 0) {
        return false;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(length));
    rovuzu_room_saved_copy(bytes.data());
    auto pictures = PictureArchive::unpack(bytes);
    if (!pictures || !world_.adoptTextures(std::move(*pictures))) {
        return false;
    }
    for (std::size_t index = 0; index < ids_.size(); ++index) {
        if (ids_[index] == 0) {
            unkept_.push_back(index);
        }
    }
    return true;
}

void GlWorld::keep(std::size_t index) {
    // The world is kept as long as this: its pictures are lent.
    const PixelImage& image = world_.textures()[index];
    ids_[index] = textures_.add(
        {std::shared_ptr<const PixelImage>(std::shared_ptr<void>{}, &image), true, true});
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
