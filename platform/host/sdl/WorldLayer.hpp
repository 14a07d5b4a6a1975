#pragma once

#include <optional>
#include <vector>

#include "platform/arkit/ARCamera.hpp"
#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/sdl/SdlHandles.hpp"
#include "platform/host/sdl/SdlTextureMaker.hpp"
#include "platform/world/BuiltInWorld.hpp"

namespace rovuzu {

// Draws the built-in world as a camera sees it. The picture is kept in a texture and painted
// again only when the camera's pose or the view's size changes, so a frame with a still camera
// costs one copy of it; a moving camera may get a quicker, coarser picture: SDL's software
// triangles cost about 10 ns a pixel, so a full view of them costs more than a frame can spare.
class WorldLayer {
  public:
    WorldLayer(SdlTextureMaker& maker, GpuTextures& textures);
    WorldLayer(const WorldLayer&) = delete;
    WorldLayer& operator=(const WorldLayer&) = delete;
    ~WorldLayer();

    // Fills `area` (pixels of the current render target) with the world seen by `camera`, at
    // `pixelsPerPoint` pixels for each of the camera's view points; `coarse`, at half the
    // resolution each way.
    void draw(const ARCamera& camera, const SDL_Rect& area, double pixelsPerPoint, bool coarse);
    // Lets go of the pictures painted on a renderer that has been reset: they are painted again.
    void reset();

  private:
    struct Shot {
        simd_float4x4 pose;
        CGSize viewport;
        double pixelsPerPoint;
        int width;
        int height;
        friend bool operator==(const Shot&, const Shot&) = default;
    };

    bool prepareTarget(TexturePtr& target, int width, int height);
    void drawDraft(const ARCamera& camera, const SDL_Rect& area, double pixelsPerPoint);
    void uploadTextures();
    void paint(SDL_Texture* target, const ARCamera& camera, double pixelsPerPoint);
    // Adds the triangle, cut into halves while it is too large for SDL to texture safely.
    void addTriangle(const SDL_Vertex& a, const SDL_Vertex& b, const SDL_Vertex& c,
                     float largestArea, int splits);

    SdlTextureMaker& maker_;
    GpuTextures& textures_;
    // Painting the world takes a moment, so it is fetched when first drawn.
    const BuiltInWorld* world_ = nullptr;
    std::vector<GpuTextures::Id> worldTextures_;
    TexturePtr target_;
    std::optional<Shot> painted_;
    TexturePtr draft_;
    std::vector<SDL_Vertex> vertices_;
    std::vector<int> indices_;
};

}  // namespace rovuzu
