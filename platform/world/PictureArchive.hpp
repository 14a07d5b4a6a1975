#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/world/PixelImage.hpp"

namespace rovuzu {

// Whole pictures as one block of bytes and back, to keep what took long to paint between two
// visits of a page: a tag, the count, then each picture's width, height and pixels, little-
// endian. Reading refuses any block that is not exactly such pictures.
class PictureArchive {
  public:
    [[nodiscard]] static std::vector<std::uint8_t> pack(const std::vector<PixelImage>& pictures);
    [[nodiscard]] static std::optional<std::vector<PixelImage>> unpack(
        const std::vector<std::uint8_t>& bytes);
};

}  // namespace rovuzu
