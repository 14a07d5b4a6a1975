#pragma once

#include "platform/host/core/TextLines.hpp"
#include "platform/host/sdl/FontLibrary.hpp"

namespace rovuzu {

// Sets lines of text with SDL_ttf in the fonts fontconfig finds.
class TtfTypesetter final : public TextLines::Typesetter {
  public:
    explicit TtfTypesetter(FontLibrary& fonts) : fonts_(fonts) {}

    // None without a font, or for text SDL_ttf refuses.
    [[nodiscard]] std::optional<Glyphs> set(const std::string& fontName, int pixelSize,
                                            std::string_view text) override;

  private:
    FontLibrary& fonts_;
};

}  // namespace rovuzu
