#pragma once

#include <optional>

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/FrameLayout.hpp"

namespace rovuzu {

class SKView;

// Lays out the frame a view shows and says whether it must be drawn: a frame equal to the one
// drawn last is not, unless the picture on screen may have been lost or a screenshot wants it.
class FramePicker {
  public:
    // The frame of `view` to draw now, or null when the one on screen already shows it.
    [[nodiscard]] const Frame* pick(const SKView& view, double pixelsPerPoint,
                                    const FrameLayout::Surroundings& surroundings, bool forced);
    // The picture on screen may be lost: the next frame is drawn even when unchanged.
    void redraw() { mustRedraw_ = true; }

  private:
    bool mustRedraw_ = true;
    std::optional<Frame> drawn_;  // the frame drawn last
};

}  // namespace rovuzu
