#include "platform/host/web/StbTypesetter.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

namespace rovuzu {

namespace {

// The code points of UTF-8 text; a broken sequence stands for itself byte by byte.
std::vector<int> codePoints(std::string_view text) {
    std::vector<int> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80U          ? 1
                                   : (lead >> 5U) == 6U  ? 2
                                   : (lead >> 4U) == 14U ? 3
                                                         : 4;
        if (length == 1 || i + length > text.size()) {
            points.push_back(lead);
            ++i;
            continue;
        }
        unsigned point = lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            point = (point << 6U) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        points.push_back(static_cast<int>(point));
        i += length;
    }
    return points;
}

// Where the pen stands at each character, and after the last: advances and kerning.
std::vector<float> penPositions(const stbtt_fontinfo& font, float scale,
                                const std::vector<int>& points) {
    std::vector<float> pens{0.0F};
    for (std::size_t i = 0; i < points.size(); ++i) {
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(&font, points[i], &advance, &bearing);
        float pen = pens.back() + static_cast<float>(advance) * scale;
        if (i + 1 < points.size()) {
            pen += scale * static_cast<float>(
                               stbtt_GetCodepointKernAdvance(&font, points[i], points[i + 1]));
        }
        pens.push_back(pen);
    }
    return pens;
}

// Sets one glyph with the pen at `pen` (its fraction kept, for even spacing) into the line.
void addGlyph(const stbtt_fontinfo& font, float scale, int point, float pen,
              TextLines::Typesetter::Glyphs& line) {
    const float shift = pen - std::floor(pen);
    int x0 = 0;
    int y0 = 0;
    int x1 = 0;
    int y1 = 0;
    stbtt_GetCodepointBitmapBoxSubpixel(&font, point, scale, scale, shift, 0.0F, &x0, &y0, &x1,
                                        &y1);
    const int width = x1 - x0;
    const int height = y1 - y0;
    if (width <= 0 || height <= 0) {
        return;
    }
    std::vector<std::uint8_t> glyph(static_cast<std::size_t>(width) * height);
    stbtt_MakeCodepointBitmapSubpixel(&font, glyph.data(), width, height, width, scale, scale,
                                      shift, 0.0F, point);
    const int left = static_cast<int>(std::floor(pen)) + x0;
    const int top = line.ascent + y0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int tx = left + x;
            const int ty = top + y;
            if (tx >= 0 && ty >= 0 && tx < line.width && ty < line.height) {
                auto& covered = line.coverage[static_cast<std::size_t>(ty) * line.width + tx];
                covered = std::max(covered, glyph[static_cast<std::size_t>(y) * width + x]);
            }
        }
    }
}

}  // namespace

// White glyphs, the pen moving by each glyph's advance and kerning.
std::optional<TextLines::Typesetter::Glyphs> StbTypesetter::set(const std::string& fontName,
                                                                int pixelSize,
                                                                std::string_view text) {
    const stbtt_fontinfo* font = fonts_.font(fontName);
    if (font == nullptr) {
        return std::nullopt;
    }
    const float scale = stbtt_ScaleForMappingEmToPixels(font, static_cast<float>(pixelSize));
    int ascent = 0;
    int descent = 0;
    int gap = 0;
    stbtt_GetFontVMetrics(font, &ascent, &descent, &gap);
    const std::vector<int> points = codePoints(text);
    const std::vector<float> pens = penPositions(*font, scale, points);
    Glyphs line;
    line.ascent = static_cast<int>(std::ceil(static_cast<float>(ascent) * scale));
    line.width = std::max(static_cast<int>(std::ceil(pens.back())), 1);
    line.height = std::max(
        line.ascent + static_cast<int>(std::ceil(static_cast<float>(-descent) * scale)), 1);
    line.coverage.assign(static_cast<std::size_t>(line.width) * line.height, 0);
    for (std::size_t i = 0; i < points.size(); ++i) {
        addGlyph(*font, scale, points[i], pens[i], line);
    }
    return line;
}

}  // namespace rovuzu
