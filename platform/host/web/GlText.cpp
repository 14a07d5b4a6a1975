#include "platform/host/web/GlText.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <vector>

#include "platform/host/core/TextHalo.hpp"
#include "platform/host/web/GlTextures.hpp"

namespace rovuzu {

namespace {

// Frames a line may go undrawn before its texture is freed.
constexpr std::uint64_t kKeepFrames = 120;

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

}  // namespace

GlText::GlText(const std::filesystem::path& resources) : fonts_(resources) {}

GlText::~GlText() {
    for (const auto& [key, line] : lines_) {
        glDeleteTextures(1, &line.texture);
    }
}

const GlText::Line* GlText::line(const std::string& fontName, int pixelSize, double halo,
                                 std::string_view text) {
    if (text.empty() || pixelSize < 1) {
        return nullptr;
    }
    std::string key =
        fontName + '\n' + std::to_string(pixelSize) + '\n' + std::to_string(halo) + '\n';
    key.append(text);
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        const stbtt_fontinfo* font = fonts_.font(fontName);
        found = lines_
                    .emplace(std::move(key),
                             font != nullptr ? render(*font, pixelSize, halo, text) : Line{})
                    .first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture != 0 ? &found->second : nullptr;
}

// White glyphs over their halo, the pen moving by each glyph's advance and kerning.
GlText::Line GlText::render(const stbtt_fontinfo& font, int pixelSize, double halo,
                            std::string_view text) {
    const float scale = stbtt_ScaleForMappingEmToPixels(&font, static_cast<float>(pixelSize));
    int ascent = 0;
    int descent = 0;
    int gap = 0;
    stbtt_GetFontVMetrics(&font, &ascent, &descent, &gap);
    const std::vector<int> points = codePoints(text);
    std::vector<float> pens;
    float pen = 0.0F;
    for (std::size_t i = 0; i < points.size(); ++i) {
        pens.push_back(pen);
        int advance = 0;
        int bearing = 0;
        stbtt_GetCodepointHMetrics(&font, points[i], &advance, &bearing);
        pen += static_cast<float>(advance) * scale;
        if (i + 1 < points.size()) {
            pen += scale * static_cast<float>(
                               stbtt_GetCodepointKernAdvance(&font, points[i], points[i + 1]));
        }
    }
    Line line;
    line.ascent = static_cast<int>(std::ceil(static_cast<float>(ascent) * scale));
    line.width = std::max(static_cast<int>(std::ceil(pen)), 1);
    line.height = std::max(
        line.ascent + static_cast<int>(std::ceil(static_cast<float>(-descent) * scale)), 1);
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(line.width) * line.height);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const float shift = pens[i] - std::floor(pens[i]);
        int x0 = 0;
        int y0 = 0;
        int x1 = 0;
        int y1 = 0;
        stbtt_GetCodepointBitmapBoxSubpixel(&font, points[i], scale, scale, shift, 0.0F, &x0, &y0,
                                            &x1, &y1);
        const int left = static_cast<int>(std::floor(pens[i])) + x0;
        const int top = line.ascent + y0;
        std::vector<std::uint8_t> glyph(static_cast<std::size_t>(std::max(x1 - x0, 0)) *
                                        std::max(y1 - y0, 0));
        if (glyph.empty()) {
            continue;
        }
        stbtt_MakeCodepointBitmapSubpixel(&font, glyph.data(), x1 - x0, y1 - y0, x1 - x0, scale,
                                          scale, shift, 0.0F, points[i]);
        for (int y = 0; y < y1 - y0; ++y) {
            for (int x = 0; x < x1 - x0; ++x) {
                const int tx = left + x;
                const int ty = top + y;
                if (tx >= 0 && ty >= 0 && tx < line.width && ty < line.height) {
                    auto& covered = coverage[static_cast<std::size_t>(ty) * line.width + tx];
                    covered = std::max(covered, glyph[static_cast<std::size_t>(y) * (x1 - x0) + x]);
                }
            }
        }
    }
    const TextHalo::Picture picture = TextHalo::around(coverage, line.width, line.height, halo);
    line.padding = picture.padding;
    line.texture = GlTextures::upload(picture.width, picture.height, picture.rgba.data());
    return line;
}

void GlText::endFrame() {
    ++frame_;
    for (auto it = lines_.begin(); it != lines_.end();) {
        if (frame_ - it->second.lastUsed > kKeepFrames) {
            glDeleteTextures(1, &it->second.texture);
            it = lines_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace rovuzu
