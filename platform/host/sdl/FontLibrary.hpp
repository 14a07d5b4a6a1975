#pragma once

#include <fontconfig/fontconfig.h>

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

// Finds fonts by the platform's names through fontconfig and opens them with SDL_ttf. The
// resource folder's fonts.conf maps the platform's own fonts, which are not free, to free ones.
// A name that matches neither a font nor one of those aliases gets whatever fontconfig offers
// instead, with one line on stderr the first time the name is asked for; when fonts.conf itself
// is missing or broken, its one line covers the substitutions that follow.
class FontLibrary {
  public:
    // Where a name leads: the font file, the face within it, and its family.
    struct Face {
        std::string file;
        int index = 0;
        std::string family;
    };

    // Loads `resources`/fonts.conf over the system's fontconfig setup.
    explicit FontLibrary(const std::filesystem::path& resources);
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;

    // The face for a family or face name; none only when fontconfig knows no font at all.
    [[nodiscard]] const std::optional<Face>& face(const std::string& name);
    // The font for a name at a size in pixels (at least 1), opened once and kept; null when
    // there is no face or its file cannot be opened.
    [[nodiscard]] TTF_Font* font(const std::string& name, int pixelSize);

  private:
    void loadAliases(const std::filesystem::path& file);
    [[nodiscard]] std::optional<Face> resolve(const std::string& name) const;
    [[nodiscard]] std::set<std::string> familiesFor(const std::string& name) const;

    FcConfig* config_ = nullptr;
    bool aliasesLoaded_ = false;
    std::map<std::string, std::optional<Face>> faces_;
    std::map<std::pair<std::string, int>, FontPtr> fonts_;
    std::set<std::string> unreadableFiles_;
};

}  // namespace rovuzu
