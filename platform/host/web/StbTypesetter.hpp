#pragma once

#include <filesystem>

#include "platform/host/core/TextLines.hpp"
#include "platform/host/web/FontFiles.hpp"

namespace rovuzu {

// Sets lines of text with stb_truetype in the fonts packed with the page.
class StbTypesetter final : public TextLines::Typesetter {
  public:
    explicit StbTypesetter(const std::filesystem::path& resources) : fonts_(resources) {}

    // None when no font can be read.
    [[nodiscard]] std::optional<Glyphs> set(const std::string& fontName, int pixelSize,
                                            std::string_view text) override;

  private:
    FontFiles fonts_;
};

}  // namespace rovuzu
