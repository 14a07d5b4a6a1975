#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/foundation/NSBundle.hpp"
#include "platform/host/core/Frame.hpp"
#include "platform/host/core/GpuTextures.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/core/TextLines.hpp"
#include "platform/host/sdl/CameraFrameLayer.hpp"
#include "platform/host/sdl/FontLibrary.hpp"
#include "platform/host/sdl/ItemPainter.hpp"
#include "platform/host/sdl/SdlTextureMaker.hpp"
#include "platform/host/sdl/TextureCache.hpp"
#include "platform/host/sdl/TtfTypesetter.hpp"
#include "platform/host/sdl/WorldLayer.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

class CameraFeed;

// Paints frames into an SDL renderer's current target: the camera picture (the built-in world,
// or a real camera's latest picture), then the frame's sprites and text back to front, then
// the read-outs.
class Renderer {
  public:
    // Fonts are looked up with the aliases in `resources`/fonts.conf, the main bundle's unless
    // said otherwise. Drawing is in the frame's pixels: a renderer's scale stretches them all.
    explicit Renderer(SDL_Renderer* renderer,
                      const std::filesystem::path& resources = NSBundle::mainBundle().bundlePath());

    void draw(const Frame& frame);

    // The real camera's picture that a frame with a camera backdrop shows, from now on.
    void setCameraFrame(const CameraFrame& frame) { cameraFrame_.setFrame(frame); }
    // Takes the camera's newest picture, when not taken yet.
    void follow(const CameraFeed& camera);

    // Every texture made again on `renderer` (the same one after SDL's reset events, whose
    // textures may have lost their pixels or their very memory on the GPU), from the pictures
    // kept; what was painted on the GPU is painted again, and the camera's picture is taken
    // again at the next follow.
    void reset(SDL_Renderer* renderer);

    // Writes what the target holds now as a PNG: call it after draw and before presenting, as
    // a presented picture may be gone. Says on stderr why it could not.
    bool savePNG(const std::filesystem::path& file) const;

  private:
    void drawBackdrop(const Frame& frame, const SDL_Rect& area);
    void drawStrip(const std::string& line, Readouts::Corner corner, const Frame& frame);

    SdlTextureMaker maker_;
    GpuTextures gpu_;
    FontLibrary fonts_;
    TtfTypesetter typesetter_;
    TextLines text_;
    TextureCache textures_;
    ItemPainter items_;
    WorldLayer world_;
    CameraFrameLayer cameraFrame_;
    std::uint64_t followedPicture_ = 0;  // the number of the camera's picture taken last
};

}  // namespace rovuzu
