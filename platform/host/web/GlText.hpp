#pragma once

#include <GLES2/gl2.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/host/web/FontFiles.hpp"

namespace rovuzu {

// Lines of text set with stb_truetype into WebGL textures, kept while they are drawn. Text is
// white over a black halo (TextHalo), so one texture serves every colour through the painter's
// tint.
class GlText {
  public:
    struct Line {
        GLuint texture = 0;
        int width = 0;    // pixels, from the pen's start to its end
        int height = 0;   // pixels
        int ascent = 0;   // pixels from the top down to the baseline
        int padding = 0;  // pixels of halo the texture adds on every side of the line
        std::uint64_t lastUsed = 0;
    };

    explicit GlText(const std::filesystem::path& resources);
    GlText(const GlText&) = delete;
    GlText& operator=(const GlText&) = delete;
    ~GlText();

    // The line in the named font, its em `pixelSize` pixels, in a halo `halo` pixels thick;
    // null for empty text or when no font can be read.
    [[nodiscard]] const Line* line(const std::string& fontName, int pixelSize, double halo,
                                   std::string_view text);
    // Ends a frame: lines not drawn for a while are let go of.
    void endFrame();

  private:
    [[nodiscard]] static Line render(const stbtt_fontinfo& font, int pixelSize, double halo,
                                     std::string_view text);

    FontFiles fonts_;
    std::unordered_map<std::string, Line> lines_;
    std::uint64_t frame_ = 0;
};

}  // namespace rovuzu
