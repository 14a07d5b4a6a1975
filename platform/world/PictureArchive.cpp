#include "platform/world/PictureArchive.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace rovuzu {

namespace {

constexpr std::array<std::uint8_t, 4> kTag{'R', 'V', 'Z', '1'};
constexpr std::size_t kWord = 4;
// As many as a picture a side may have: a texture no GPU takes is no picture of ours.
constexpr std::uint32_t kLargestSide = 16384;

void putWord(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (std::size_t i = 0; i < kWord; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

// Reads through a block, refusing to pass its end.
class Reader {
  public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    std::optional<std::uint32_t> word() {
        if (bytes_.size() - at_ < kWord) {
            return std::nullopt;
        }
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < kWord; ++i) {
            value |= static_cast<std::uint32_t>(bytes_[at_ + i]) << (8 * i);
        }
        at_ += kWord;
        return value;
    }

    std::optional<std::vector<std::uint8_t>> take(std::size_t count) {
        if (bytes_.size() - at_ < count) {
            return std::nullopt;
        }
        const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(at_);
        at_ += count;
        return std::vector<std::uint8_t>(from, from + static_cast<std::ptrdiff_t>(count));
    }

    [[nodiscard]] bool atEnd() const { return at_ == bytes_.size(); }

  private:
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

std::optional<PixelImage> readPicture(Reader& reader) {
    const auto width = reader.word();
    const auto height = reader.word();
    if (!width || !height || *width == 0 || *height == 0 || *width > kLargestSide ||
        *height > kLargestSide) {
        return std::nullopt;
    }
    auto rgba = reader.take(std::size_t{*width} * *height * 4);
    if (!rgba) {
        return std::nullopt;
    }
    return PixelImage{static_cast<int>(*width), static_cast<int>(*height), std::move(*rgba)};
}

}  // namespace

std::vector<std::uint8_t> PictureArchive::pack(const std::vector<PixelImage>& pictures) {
    std::vector<std::uint8_t> out(kTag.begin(), kTag.end());
    putWord(out, static_cast<std::uint32_t>(pictures.size()));
    for (const PixelImage& picture : pictures) {
        putWord(out, static_cast<std::uint32_t>(picture.width()));
        putWord(out, static_cast<std::uint32_t>(picture.height()));
        out.insert(out.end(), picture.bytes().begin(), picture.bytes().end());
    }
    return out;
}

std::optional<std::vector<PixelImage>> PictureArchive::unpack(
    const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < kTag.size() || !std::equal(kTag.begin(), kTag.end(), bytes.begin())) {
        return std::nullopt;
    }
    Reader reader(bytes);
    reader.take(kTag.size());
    const auto count = reader.word();
    // Each picture takes at least its two words and a pixel: more than that is a lie.
    if (!count || *count > bytes.size() / (3 * kWord)) {
        return std::nullopt;
    }
    std::vector<PixelImage> pictures;
    for (std::uint32_t i = 0; i < *count; ++i) {
        auto picture = readPicture(reader);
        if (!picture) {
            return std::nullopt;
        }
        pictures.push_back(std::move(*picture));
    }
    if (!reader.atEnd()) {
        return std::nullopt;
    }
    return pictures;
}

}  // namespace rovuzu
