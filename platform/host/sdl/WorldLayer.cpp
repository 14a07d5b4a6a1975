#include "platform/host/sdl/WorldLayer.hpp"

#include <algorithm>
#include <cmath>
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

// The world's pictures are kept in the format the renderer draws into, a window's own where
// there is one: SDL then copies them to the screen without converting a pixel.
Uint32 drawingFormat(SDL_Renderer* renderer) {
    SDL_Window* window = SDL_RenderGetWindow(renderer);
    const Uint32 format = window != nullptr ? SDL_GetWindowPixelFormat(window) : 0;
    const bool usable = format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888;
    return usable ? format : static_cast<Uint32>(SDL_PIXELFORMAT_ARGB8888);
}

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

WorldLayer::WorldLayer(SDL_Renderer* renderer)
    : renderer_(renderer), format_(drawingFormat(renderer)) {}

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
    SDL_RenderCopy(renderer_, target_.get(), nullptr, &area);
}

// Half the pixels each way, stretched over the area: a quarter of the triangles' cost.
void WorldLayer::drawDraft(const ARCamera& camera, const SDL_Rect& area, double pixelsPerPoint) {
    if (prepareTarget(draft_, (area.w + 1) / 2, (area.h + 1) / 2)) {
        paint(draft_.get(), camera, pixelsPerPoint / 2.0);
        SDL_RenderCopy(renderer_, draft_.get(), nullptr, &area);
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
    target.reset(SDL_CreateTexture(renderer_, format_, SDL_TEXTUREACCESS_TARGET, width, height));
    if (!target) {
        diagnose("renderer: cannot make a " + std::to_string(width) + "x" + std::to_string(height) +
                 " texture for the world (" + SDL_GetError() + "); the world is not drawn");
        return false;
    }
    SDL_SetTextureBlendMode(target.get(), SDL_BLENDMODE_NONE);
    return true;
}

void WorldLayer::uploadTextures() {
    world_ = &BuiltInWorld::shared();
    for (const PixelImage& image : world_->textures()) {
        TexturePtr texture{SDL_CreateTexture(renderer_, format_, SDL_TEXTUREACCESS_STREAMING,
                                             image.width(), image.height())};
        void* pixels = nullptr;
        int pitch = 0;
        if (texture && SDL_LockTexture(texture.get(), nullptr, &pixels, &pitch) == 0) {
            // Converted straight into the texture: the software renderer's fastest path wants
            // the target's format, no blending and white vertices; it ignores filtering, which
            // GPU renderers do apply. It is drawn without blending: no alpha counts.
            SDL_ConvertPixels(image.width(), image.height(), SDL_PIXELFORMAT_RGBA32,
                              image.bytes().data(), image.width() * 4, format_, pixels, pitch);
            SDL_UnlockTexture(texture.get());
            SDL_SetTextureBlendMode(texture.get(), SDL_BLENDMODE_NONE);
            SDL_SetTextureScaleMode(texture.get(), SDL_ScaleModeLinear);
        } else {
            diagnose(std::string("renderer: cannot make a texture for the world (") +
                     SDL_GetError() + "); part of the world is not drawn");
            texture.reset();
        }
        textures_.push_back(std::move(texture));
    }
}

void WorldLayer::paint(SDL_Texture* target, const ARCamera& camera, double pixelsPerPoint) {
    if (textures_.empty()) {
        uploadTextures();
    }
    SDL_Texture* previous = SDL_GetRenderTarget(renderer_);
    SDL_SetRenderTarget(renderer_, target);
    SDL_SetRenderDrawColor(renderer_, kBackdrop.r, kBackdrop.g, kBackdrop.b, kBackdrop.a);
    SDL_RenderClear(renderer_);
    const auto scale = static_cast<float>(pixelsPerPoint);
    const WorldFrame frame = world_->frame(camera);
    for (const WorldBatch& batch : frame.batches()) {
        SDL_Texture* texture = textures_[batch.texture].get();
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
        SDL_RenderGeometry(renderer_, texture, vertices_.data(), static_cast<int>(vertices_.size()),
                           indices_.data(), static_cast<int>(vertices_.size()));
    }
    SDL_SetRenderTarget(renderer_, previous);
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
