#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "platform/foundation/NSBundle.hpp"
#include "platform/host/sdl/CameraFrameLayer.hpp"
#include "platform/host/sdl/FontLibrary.hpp"
#include "platform/host/sdl/FrameKey.hpp"
#include "platform/host/sdl/NodePainter.hpp"
#include "platform/host/sdl/Readouts.hpp"
#include "platform/host/sdl/TextCache.hpp"
#include "platform/host/sdl/TextureCache.hpp"
#include "platform/host/sdl/WorldLayer.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

class CameraFeed;
class SKScene;
class SKView;

// Draws a view's frame into an SDL renderer's current target: the camera picture (the built-in
// world, or a real camera's frame when one is given), then the presented scene's nodes back to
// front, then the read-outs the view asks for.
class Renderer {
  public:
    // Fonts are looked up with the aliases in `resources`/fonts.conf, the main bundle's unless
    // said otherwise. The renderer's scale must stay 1: drawing is in the target's pixels.
    explicit Renderer(SDL_Renderer* renderer,
                      const std::filesystem::path& resources = NSBundle::mainBundle().bundlePath());

    // One frame of `view` at `pixelsPerPoint` target pixels per view point (2 offscreen; a
    // window's drawable pixels over its points). The view covers its frame, scaled likewise.
    void draw(const SKView& view, double pixelsPerPoint);
    // Whether drawing `view` now would give, to the pixel, the frame drawn last: a window need
    // then neither draw nor present it again.
    [[nodiscard]] bool wouldRepeat(const SKView& view, double pixelsPerPoint) const;

    // From now on an AR view shows this picture instead of the built-in world.
    void setCameraFrame(const CameraFrame& frame);
    // Back to the built-in world.
    void clearCameraFrame();
    // Takes the camera's newest picture, when not taken yet, and its notice.
    void follow(const CameraFeed& camera);
    // Whether an AR view may show the built-in world yet. A window starts before the world's
    // textures are painted and shows black until then, as a phone does until its camera starts.
    void setWorldShown(bool shown) { worldShown_ = shown; }
    // Whether the world may be drawn coarser while the camera moves (see WorldLayer); a window
    // allows it for frames that are not screenshots.
    void setQuickWhileMoving(bool quick) { world_.setQuickWhileMoving(quick); }
    // A notice drawn over everything at the top, such as lost tracking; empty for none.
    void setNotice(std::string notice) { notice_ = std::move(notice); }

    // Writes what the target holds now as a PNG: call it after draw and before presenting, as
    // a presented picture may be gone. Says on stderr why it could not.
    bool savePNG(const std::filesystem::path& file) const;

  private:
    [[nodiscard]] FrameKey keyFor(const SKView& view, double pixelsPerPoint) const;
    void drawCameraPicture(const SKView& view, const SDL_Rect& area, double pixelsPerPoint);
    void drawScene(const SKScene& scene, const SKView& view, const SDL_Rect& area,
                   double pixelsPerPoint);

    SDL_Renderer* renderer_;
    FontLibrary fonts_;
    TextCache text_;
    TextureCache textures_;
    NodePainter nodes_;
    WorldLayer world_;
    CameraFrameLayer cameraFrame_;
    Readouts readouts_;
    std::string notice_;
    bool worldShown_ = true;
    std::uint64_t cameraPictures_ = 0;   // camera pictures handed over, or taken back, so far
    std::uint64_t followedPicture_ = 0;  // the number of the camera's picture taken last
    std::optional<FrameKey> drawn_;      // what the frame drawn last was drawn from
};

}  // namespace rovuzu
