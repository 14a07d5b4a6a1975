#include "platform/host/core/ReadoutStrip.hpp"

#include <cmath>

namespace rovuzu {

std::optional<ReadoutStrip::Drawn> ReadoutStrip::of(TextLines& lines, const std::string& line,
                                                    Readouts::Corner corner, const Frame& frame) {
    const double pixelsPerPoint = frame.pixelsPerPoint;
    const auto size = static_cast<int>(std::lround(Readouts::kFontSize * pixelsPerPoint));
    const TextLines::Line* set =
        line.empty() ? nullptr
                     : lines.line(Readouts::kFontName, size, Readouts::halo(pixelsPerPoint), line);
    const GpuTextures::Handle texture = set != nullptr ? lines.handle(*set) : 0;
    if (texture == 0) {
        return std::nullopt;
    }
    const Readouts::Strip strip =
        Readouts::strip(corner, set->width, set->height, frame.area, pixelsPerPoint);
    const int padding = set->padding;
    const PixelBox box{static_cast<float>(strip.textX - padding),
                       static_cast<float>(strip.textY - padding),
                       static_cast<float>(set->width + 2 * padding),
                       static_cast<float>(set->height + 2 * padding)};
    return Drawn{strip.backing, {0.0, 0.0, 0.0, Readouts::kBackingAlpha}, {texture, box}};
}

}  // namespace rovuzu
