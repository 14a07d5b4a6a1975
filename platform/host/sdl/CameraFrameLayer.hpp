#pragma once

#include "platform/host/sdl/SdlHandles.hpp"
#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

// A real camera's picture in place of the built-in world: the latest frame handed over, drawn
// to fill the view while keeping its proportions (the overflow is cut off, as on a phone).
class CameraFrameLayer {
  public:
    explicit CameraFrameLayer(SDL_Renderer* renderer);

    // Copies the frame for drawing. A frame whose size and bytes disagree is refused, said
    // once on stderr, and the picture shown before stays.
    void setFrame(const CameraFrame& frame);
    void clear();
    [[nodiscard]] bool hasFrame() const { return shown_; }

    // Covers `area` (pixels) with the picture.
    void draw(const SDL_Rect& area) const;

  private:
    [[nodiscard]] bool isUsable(const CameraFrame& frame);
    bool prepareTexture(int width, int height);

    SDL_Renderer* renderer_;
    TexturePtr texture_;
    int width_ = 0;
    int height_ = 0;
    bool shown_ = false;
    bool refusedOnce_ = false;
};

}  // namespace rovuzu
