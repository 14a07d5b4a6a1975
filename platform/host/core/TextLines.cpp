#include "platform/host/core/TextLines.hpp"

#include <memory>
#include <utility>

#include "platform/host/core/TextBox.hpp"
#include "platform/host/core/TextHalo.hpp"

namespace rovuzu {

namespace {

// Frames a line may go undrawn before its texture is freed: long enough that text which
// blinks or alternates is not set over and over.
constexpr std::uint64_t kKeepFrames = 120;

}  // namespace

TextLines::TextLines(Typesetter& typesetter, GpuTextures& textures)
    : typesetter_(typesetter), textures_(textures) {}

TextLines::~TextLines() {
    for (const auto& [key, line] : lines_) {
        textures_.remove(line.texture);
    }
}

const TextLines::Line* TextLines::line(const std::string& fontName, int pixelSize, double halo,
                                       std::string_view text) {
    if (text.empty() || pixelSize < 1) {
        return nullptr;
    }
    std::string key =
        fontName + '\n' + std::to_string(pixelSize) + '\n' + std::to_string(halo) + '\n';
    key.append(text);
    auto found = lines_.find(key);
    if (found == lines_.end()) {
        found = lines_.emplace(std::move(key), make(fontName, pixelSize, halo, text)).first;
    }
    found->second.lastUsed = frame_;
    return found->second.texture != 0 ? &found->second : nullptr;
}

TextLines::Line TextLines::make(const std::string& fontName, int pixelSize, double halo,
                                std::string_view text) {
    const auto glyphs = typesetter_.set(fontName, pixelSize, text);
    if (!glyphs) {
        return {};
    }
    TextHalo::Picture picture =
        TextHalo::around(glyphs->coverage, glyphs->width, glyphs->height, halo);
    if (picture.rgba.empty()) {
        return {};
    }
    Line line{0, glyphs->width, glyphs->height, glyphs->ascent, picture.padding, 0};
    // Set at the size it is drawn at: the nearest texel keeps the glyphs as they were set.
    line.texture = textures_.add(
        {std::make_shared<const PixelImage>(picture.width, picture.height, std::move(picture.rgba)),
         false, false});
    return line;
}

std::optional<TextLines::Placed> TextLines::place(const Frame::Text& text) {
    const Line* set =
        line(text.fontName, TextBox::setSize(text), TextBox::setHalo(text), text.text);
    const GpuTextures::Handle texture = set != nullptr ? handle(*set) : 0;
    if (texture == 0) {
        return std::nullopt;
    }
    return Placed{texture, TextBox::of(text, set->width, set->height, set->ascent, set->padding)};
}

void TextLines::endFrame() {
    ++frame_;
    for (auto it = lines_.begin(); it != lines_.end();) {
        if (frame_ - it->second.lastUsed > kKeepFrames) {
            textures_.remove(it->second.texture);
            it = lines_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace rovuzu
