#include "platform/host/core/FramePicker.hpp"

#include <utility>

namespace rovuzu {

const Frame* FramePicker::pick(const SKView& view, double pixelsPerPoint,
                               const FrameLayout::Surroundings& surroundings, bool forced) {
    Frame next = FrameLayout::of(view, pixelsPerPoint, surroundings, drawn_ ? &*drawn_ : nullptr);
    if (!forced && !mustRedraw_ && drawn_ && next == *drawn_) {
        return nullptr;
    }
    mustRedraw_ = false;
    drawn_ = std::move(next);
    return &*drawn_;
}

}  // namespace rovuzu
