#include "platform/host/sdl/WorldLayer.hpp"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numeric>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

constexpr SDL_Color kWhite{255, 255, 255, 255};
// What shows where the world has nothing, such as from outside the room.
constexpr SDL_Color kBackdrop{38, 40, 46, 255};
// SDL 2.26's software rasteriser multiplies a triangle's doubled area by texel coordinates in
// 32-bit integers; past this product it overflows and reads outside the texture.
constexpr float kAreaTexelLimit = static_cast<float>(1U << 27U);
constexpr int kMaxSplits = 12;

float area(const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c) {
    return std::abs((b.position.x - a.position.x) * (c.position.y - a.position.y) -
                    (c.position.x - a.position.x) * (b.position.y - a.position.y)) /
           2.0F;
}

SDL_Vertex midpoint(const SDL_Vertex& a, const SDL_Vertex& b) {
    return {{(a.position.x + b.position.x) / 2.0F, (a.position.y + b.position.y) / 2.0F},
            kWhite,
            {(a.tex_coord.x + b.tex_coord.x) / 2.0F, (a.tex_coord.y + b.tex_coord.y) / 2.0F}};
}

float lengthSquared(const SDL_Vertex& a, const SDL_Vertex& b) {
    const float dx = b.position.x - a.position.x;
    const float dy = b.position.y - a.position.y;
    return dx * dx + dy * dy;
}

}  // namespace

WorldLayer::WorldLayer(SdlTextureMaker& maker, GpuTextures& textures)
    : maker_(maker), textures_(textures) {}

WorldLayer::~WorldLayer() {
    for (const GpuTextures::Id id : worldTextures_) {
        textures_.remove(id);
    }
}

void WorldLayer::reset() {
    target_.reset();
    draft_.reset();
    painted_.reset();
}

void WorldLayer::draw(const ARCamera& camera, const SDL_Rect& area, double pixelsPerPoint,
                      bool coarse) {
    if (area.w <= 0 || area.h <= 0) {
        return;
    }
    const Shot shot{camera.transform(), camera.viewportSize(), pixelsPerPoint, area.w, area.h};
    if (coarse) {
        drawDraft(camera, area, pixelsPerPoint);
        return;
    }
    if (!prepareTarget(target_, area.w, area.h)) {
        return;
    }
    if (painted_ != shot) {
        paint(target_.get(), camera, pixelsPerPoint);
        painted_ = shot;
    }
    SDL_RenderCopy(maker_.renderer(), target_.get(), nullptr, &area);
}

// Half the pixels each way, stretched over the area: a quarter of the triangles' cost.
void WorldLayer::drawDraft(const ARCamera& camera, const SDL_Rect& area, double pixelsPerPoint) {
    if (prepareTarget(draft_, (area.w + 1) / 2, (area.h + 1) / 2)) {
        paint(draft_.get(), camera, pixelsPerPoint / 2.0);
        SDL_RenderCopy(maker_.renderer(), draft_.get(), nullptr, &area);
    }
}

bool WorldLayer::prepareTarget(TexturePtr& target, int width, int height) {
    int w = 0;
    int h = 0;
    if (target && SDL_QueryTexture(target.get(), nullptr, nullptr, &w, &h) == 0 && w == width &&
        h == height) {
        return true;
    }
    if (&target == &target_) {
        painted_.reset();
    }
    target.reset(SDL_CreateTexture(maker_.renderer(), maker_.drawingFormat(),
                                   SDL_TEXTUREACCESS_TARGET, width, height));
    if (!target) {
        diagnose("renderer: cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                 " texture for the world (" + SDL_GetError() + "); the world is not drawn");
        return false;
    }
    SDL_SetTextureBlendMode(target.get(), SDL_BLENDMODE_NONE);
    return true;
}

// The world's pictures are opaque, so they are kept in the format the renderer draws into:
// the software renderer's fastest path wants the target's format, no blending and white
// vertices; it ignores filtering, which GPU renderers do apply.
void WorldLayer::uploadTextures() {
    world_ = &BuiltInWorld::shared();
    for (const PixelImage& image : world_->textures()) {
        // The world is painted once and kept for the program's life: its pictures are lent.
        worldTextures_.push_back(textures_.add(
            {std::shared_ptr<const PixelImage>(std::shared_ptr<void>{}, &image), true, true}));
    }
}

void WorldLayer::paint(SDL_Texture* target, const ARCamera& camera, double pixelsPerPoint) {
    if (world_ == nullptr) {
        uploadTextures();
    }
    SDL_Renderer* renderer = maker_.renderer();
    SDL_Texture* previous = SDL_GetRenderTarget(renderer);
    SDL_SetRenderTarget(renderer, target);
    SDL_SetRenderDrawColor(renderer, kBackdrop.r, kBackdrop.g, kBackdrop.b, kBackdrop.a);
    SDL_RenderClear(renderer);
    const auto scale = static_cast<float>(pixelsPerPoint);
    const WorldFrame frame = world_->frame(camera);
    for (const WorldBatch& batch : frame.batches()) {
        SDL_Texture* texture =
            SdlTextureMaker::texture(textures_.handle(worldTextures_[batch.texture]));
        const PixelImage& image = world_->textures()[batch.texture];
        if (texture == nullptr) {
            continue;
        }
        const auto w = static_cast<float>(image.width());
        const auto h = static_cast<float>(image.height());
        const float largestArea = kAreaTexelLimit / std::max(w, h);
        vertices_.clear();
        const auto& in = batch.vertices;
        // Texture coordinates land on texel centres: SDL truncates them to whole texels.
        const auto convert = [&](const WorldVertex& v) {
            return SDL_Vertex{{v.x * scale, v.y * scale},
                              kWhite,
                              {(v.u * (w - 1.0F) + 0.5F) / w, (v.v * (h - 1.0F) + 0.5F) / h}};
        };
        for (std::size_t i = 0; i + 2 < in.size(); i += 3) {
            addTriangle(convert(in[i]), convert(in[i + 1]), convert(in[i + 2]), largestArea, 0);
        }
        if (indices_.size() < vertices_.size()) {
            indices_.resize(vertices_.size());
            std::iota(indices_.begin(), indices_.end(), 0);
        }
        // With indices and no vertex shared, SDL keeps every triangle a triangle: it would
        // otherwise redraw pairs that happen to form rectangles as rectangles, rounded
        // differently, and leave hairline gaps.
        SDL_RenderGeometry(renderer, texture, vertices_.data(), static_cast<int>(vertices_.size()),
                           indices_.data(), static_cast<int>(vertices_.size()));
    }
    SDL_SetRenderTarget(renderer, previous);
}

void WorldLayer::addTriangle(const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c,
                             float largestArea, int splits) {
    if (area(a, b, c) <= largestArea || splits >= kMaxSplits) {
        vertices_.insert(vertices_.end(), {a, b, c});
        return;
    }
    // Halve the longest side; affine texturing draws the halves exactly as the whole.
    const float ab = lengthSquared(a, b);
    const float bc = lengthSquared(b, c);
    const float ca = lengthSquared(c, a);
    if (ab >= bc && ab >= ca) {
        const SDL_Vertex m = midpoint(a, b);
        addTriangle(a, m, c, largestArea, splits + 1);
        addTriangle(m, b, c, largestArea, splits + 1);
    } else if (bc >= ca) {
        const SDL_Vertex m = midpoint(b, c);
        addTriangle(a, b, m, largestArea, splits + 1);
        addTriangle(a, m, c, largestArea, splits + 1);
    } else {
        const SDL_Vertex m = midpoint(c, a);
        addTriangle(a, b, m, largestArea, splits + 1);
        addTriangle(m, b, c, largestArea, splits + 1);
    }
}

}  // namespace rovuzu
