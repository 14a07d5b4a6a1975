#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/host/core/Frame.hpp"
#include "platform/host/core/GpuTextures.hpp"

namespace rovuzu {

// Lines of text set once into textures and kept while they are drawn, for every backend: a
// backend only sets a line's glyphs in its fonts. Text is white over a black halo (TextHalo),
// so one texture serves every colour through a tint.
class TextLines {
  public:
    // Sets lines in a backend's fonts.
    class Typesetter {
      public:
        // A set line: its glyphs' coverage, a byte a pixel, rows top to bottom.
        struct Glyphs {
            int width = 0;   // pixels, from the pen's start to its end
            int height = 0;  // pixels
            int ascent = 0;  // pixels from the top down to the baseline
            std::vector<std::uint8_t> coverage;
        };

        Typesetter() = default;
        Typesetter(const Typesetter&) = delete;
        Typesetter& operator=(const Typesetter&) = delete;
        virtual ~Typesetter() = default;
        // The text in the named font, its em `pixelSize` pixels; none when it cannot be set.
        [[nodiscard]] virtual std::optional<Glyphs> set(const std::string& fontName, int pixelSize,
                                                        std::string_view text) = 0;
    };

    struct Line {
        GpuTextures::Id texture = 0;  // 0 for a line that could not be set
        int width = 0;                // pixels, from the pen's start to its end
        int height = 0;               // pixels
        int ascent = 0;               // pixels from the top down to the baseline
        int padding = 0;              // pixels of halo the texture adds on every side of the line
        std::uint64_t lastUsed = 0;
    };

    // A line's texture and the box it is drawn over, in target pixels.
    struct Placed {
        GpuTextures::Handle texture = 0;
        PixelBox box;
    };

    TextLines(Typesetter& typesetter, GpuTextures& textures);
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;
    ~TextLines();

    // The line in the named font, its em `pixelSize` pixels, in a halo `halo` pixels thick;
    // null for empty text or text that cannot be set.
    [[nodiscard]] const Line* line(const std::string& fontName, int pixelSize, double halo,
                                   std::string_view text);
    // A frame's line of text, where TextBox puts it; none when there is nothing to draw, or
    // while the GPU is away.
    [[nodiscard]] std::optional<Placed> place(const Frame::Text& text);
    // The line's texture now; 0 while the GPU is away.
    [[nodiscard]] GpuTextures::Handle handle(const Line& line) const {
        return textures_.handle(line.texture);
    }
    // Ends a frame: lines not drawn for a while are let go of.
    void endFrame();

  private:
    [[nodiscard]] Line make(const std::string& fontName, int pixelSize, double halo,
                            std::string_view text);

    Typesetter& typesetter_;
    GpuTextures& textures_;
    std::unordered_map<std::string, Line> lines_;
    std::uint64_t frame_ = 0;
};

}  // namespace rovuzu
