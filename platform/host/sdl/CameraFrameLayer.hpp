#pragma once

#include "platform/host/core/Frame.hpp"
#include "platform/host/sdl/SdlHandles.hpp"
#include "platform/host/sdl/SdlTextureMaker.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

// A real camera's picture in place of the built-in world: the latest frame handed over, drawn
// as the AR camera shows it, its visible part stretched over the view.
class CameraFrameLayer {
  public:
    explicit CameraFrameLayer(SdlTextureMaker& maker);

    // Copies the frame for drawing. A frame whose size and bytes disagree is refused, said
    // once on stderr, and the picture shown before stays.
    void setFrame(const CameraFrame& frame);
    void clear();
    // Lets go of the picture, held on a renderer that has been reset: the next frame handed
    // over is shown.
    void reset();
    [[nodiscard]] bool hasFrame() const { return shown_; }

    // Covers `area` (pixels) with the part of the picture the backdrop says.
    void draw(const SDL_Rect& area, const Frame::Backdrop& backdrop) const;

  private:
    [[nodiscard]] bool isUsable(const CameraFrame& frame);
    bool prepareTexture(int width, int height);

    SdlTextureMaker& maker_;
    TexturePtr texture_;
    int width_ = 0;
    int height_ = 0;
    bool shown_ = false;
    bool refusedOnce_ = false;
};

}  // namespace rovuzu
