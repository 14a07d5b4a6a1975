#include "platform/host/sdl/FontLibrary.hpp"

#include <algorithm>
#include <cctype>
#include <memory>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/sdl/StderrCapture.hpp"

namespace rovuzu {

namespace {

// A name that no alias mentions, to tell the families an alias adds from those fontconfig
// adds to every request.
constexpr const char* kUnknownFamily = "rovuzu no such font";

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

// Family names compare as fontconfig compares them: without blanks, in any case.
std::string normalised(std::string_view family) {
    std::string out;
    for (const char c : family) {
        if (c != ' ') {
            out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
        }
    }
    return out;
}

std::vector<std::string> families(const FcPattern* pattern) {
    std::vector<std::string> out;
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(pattern, FC_FAMILY, i, &family) == FcResultMatch; ++i) {
        out.emplace_back(reinterpret_cast<const char*>(family));
    }
    return out;
}

PatternPtr requestFor(FcConfig* config, const std::string& family) {
    PatternPtr pattern{FcPatternCreate()};
    FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcConfigSubstitute(config, pattern.get(), FcMatchPattern);
    FcDefaultSubstitute(pattern.get());
    return pattern;
}

}  // namespace

FontLibrary::FontLibrary(const std::filesystem::path& resources) {
    if (TTF_Init() != 0) {
        diagnose(std::string("SDL_ttf: cannot start (") + TTF_GetError() + "); text is not drawn");
    }
    config_ = FcInitLoadConfigAndFonts();
    if (config_ == nullptr) {
        diagnose("fontconfig: cannot load its configuration; text is not drawn");
        return;
    }
    // Fontconfig reads a relative path from its own folder, not from ours.
    std::error_code error;
    const std::filesystem::path aliases =
        std::filesystem::absolute(resources / "fonts.conf", error);
    if (!std::filesystem::is_regular_file(aliases, error)) {
        diagnose(aliases.string() +
                 ": not found; the platform's fonts are not mapped to free ones");
    } else {
        loadAliases(aliases);
    }
}

void FontLibrary::loadAliases(const std::filesystem::path& file) {
    // Fontconfig reports a broken file on stderr by itself, and carries on with what it read.
    StderrCapture capture;
    const FcBool loaded =
        FcConfigParseAndLoad(config_, reinterpret_cast<const FcChar8*>(file.c_str()), FcTrue);
    std::string complaint = capture.finish();
    aliasesLoaded_ = loaded != FcFalse && complaint.empty();
    if (!aliasesLoaded_) {
        complaint = complaint.substr(0, complaint.find('\n'));
        const std::size_t detail = complaint.rfind("\", ");
        if (detail != std::string::npos) {
            complaint = complaint.substr(detail + 3);
        }
        diagnose(file.string() + ": not a valid fontconfig file (" + complaint +
                 "); the platform's fonts may not be mapped to free ones");
    }
}

FontLibrary::~FontLibrary() {
    fonts_.clear();
    if (config_ != nullptr) {
        FcConfigDestroy(config_);
    }
    TTF_Quit();
}

const std::optional<FontLibrary::Face>& FontLibrary::face(const std::string& name) {
    const auto found = faces_.find(name);
    if (found != faces_.end()) {
        return found->second;
    }
    return faces_.emplace(name, resolve(name)).first->second;
}

std::set<std::string> FontLibrary::familiesFor(const std::string& name) const {
    std::set<std::string> named;
    for (const std::string& family : families(requestFor(config_, name).get())) {
        named.insert(normalised(family));
    }
    for (const std::string& family : families(requestFor(config_, kUnknownFamily).get())) {
        named.erase(normalised(family));
    }
    named.insert(normalised(name));
    return named;
}

std::optional<FontLibrary::Face> FontLibrary::resolve(const std::string& name) const {
    if (config_ == nullptr) {
        return std::nullopt;
    }
    FcResult result = FcResultNoMatch;
    const PatternPtr match{FcFontMatch(config_, requestFor(config_, name).get(), &result)};
    FcChar8* file = nullptr;
    if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch) {
        diagnose("font '" + name +
                 "' not found, and fontconfig offers no other; text is not drawn");
        return std::nullopt;
    }
    int index = 0;
    FcPatternGetInteger(match.get(), FC_INDEX, 0, &index);
    const std::vector<std::string> matched = families(match.get());
    const std::string family = matched.empty() ? std::string{} : matched.front();
    const std::set<std::string> wanted = familiesFor(name);
    const bool found = std::any_of(matched.begin(), matched.end(), [&](const std::string& f) {
        return wanted.contains(normalised(f));
    });
    if (!found && aliasesLoaded_) {
        diagnose("font '" + name + "' not found; using '" + family + "'");
    }
    return Face{reinterpret_cast<const char*>(file), index, family};
}

TTF_Font* FontLibrary::font(const std::string& name, int pixelSize) {
    const std::optional<Face>& resolved = face(name);
    if (!resolved) {
        return nullptr;
    }
    const int size = std::max(pixelSize, 1);
    const auto key = std::pair{resolved->file + "#" + std::to_string(resolved->index), size};
    auto& font = fonts_[key];
    if (!font && !unreadableFiles_.contains(resolved->file)) {
        font.reset(TTF_OpenFontIndex(resolved->file.c_str(), size, resolved->index));
        if (!font) {
            unreadableFiles_.insert(resolved->file);
            diagnose(resolved->file + ": cannot open the font (" + TTF_GetError() +
                     "); text in it is not drawn");
        }
    }
    return font.get();
}

}  // namespace rovuzu
