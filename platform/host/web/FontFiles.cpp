#include "platform/host/web/FontFiles.hpp"

#include <fstream>
#include <iterator>
#include <sstream>
#include <string_view>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

// The text of the first <family> element at or after `at`, and where it ends.
std::pair<std::string, std::size_t> familyAfter(std::string_view text, std::size_t at) {
    constexpr std::string_view kOpen = "<family>";
    const std::size_t start = text.find(kOpen, at);
    const std::size_t end =
        start == std::string_view::npos ? start : text.find("</family>", start + kOpen.size());
    if (end == std::string_view::npos) {
        return {{}, std::string_view::npos};
    }
    const std::size_t from = start + kOpen.size();
    return {std::string(text.substr(from, end - from)), end};
}

// Each <alias>'s family and the family it prefers, as fontconfig would read them, in order.
std::vector<std::pair<std::string, std::string>> readAliases(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string text = buffer.str();
    std::vector<std::pair<std::string, std::string>> aliases;
    for (std::size_t at = text.find("<alias"); at != std::string::npos;
         at = text.find("<alias", at + 1)) {
        const std::size_t close = text.find("</alias>", at);
        const auto [name, nameEnd] = familyAfter(text, at);
        const std::size_t prefer = text.find("<prefer>", at);
        if (nameEnd == std::string::npos || prefer == std::string::npos || prefer > close) {
            continue;
        }
        const auto [family, familyEnd] = familyAfter(text, prefer);
        if (familyEnd != std::string::npos && familyEnd < close) {
            aliases.emplace_back(name, family);
        }
    }
    return aliases;
}

std::string fileNameOf(std::string family) {
    for (char& c : family) {
        c = c == ' ' ? '-' : c;
    }
    return family + ".ttf";
}

}  // namespace

FontFiles::FontFiles(const std::filesystem::path& resources) : folder_(resources / "fonts") {
    const auto aliases = readAliases(resources / "fonts.conf");
    if (aliases.empty()) {
        diagnose((resources / "fonts.conf").string() + ": no font aliases; the page has no text");
        return;
    }
    aliases_.insert(aliases.begin(), aliases.end());
    fallback_ = aliases.front().second;
}

const stbtt_fontinfo* FontFiles::font(const std::string& name) {
    const auto alias = aliases_.find(name);
    const std::string family = alias != aliases_.end() ? alias->second : name;
    if (const stbtt_fontinfo* found = open(family)) {
        return found;
    }
    if (substituted_.insert(name).second && !aliases_.empty()) {
        diagnose("font '" + name + "': not found; using " + fallback_ + " instead");
    }
    return open(fallback_);
}

const stbtt_fontinfo* FontFiles::open(const std::string& family) {
    auto found = fonts_.find(family);
    if (found != fonts_.end()) {
        return found->second ? &found->second->info : nullptr;
    }
    auto font = std::make_unique<Font>();
    std::ifstream in(folder_ / fileNameOf(family), std::ios::binary);
    font->bytes.assign(std::istreambuf_iterator<char>(in), {});
    const bool usable = !font->bytes.empty() &&
                        stbtt_InitFont(&font->info, font->bytes.data(),
                                       stbtt_GetFontOffsetForIndex(font->bytes.data(), 0)) != 0;
    found = fonts_.emplace(family, usable ? std::move(font) : nullptr).first;
    return found->second ? &found->second->info : nullptr;
}

}  // namespace rovuzu
