#pragma once

#include <optional>
#include <string>

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/core/TextLines.hpp"

namespace rovuzu {

// A read-out or the notice as a backend paints it: a dark strip in a corner of the view, and
// the line in white over it.
class ReadoutStrip {
  public:
    struct Drawn {
        PixelArea backing;
        UIColor backingColour;
        TextLines::Placed text;
    };

    // The line on its strip in the frame's corner; none for an empty line, one that cannot be
    // set, or while the GPU is away.
    [[nodiscard]] static std::optional<Drawn> of(TextLines& lines, const std::string& line,
                                                 Readouts::Corner corner, const Frame& frame);
};

}  // namespace rovuzu
