#pragma once

#include <stb_truetype.h>

#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace rovuzu {

// The page's fonts: the same free stand-ins the desktop finds through fontconfig, packed with
// the resources. A platform font name leads through the aliases of the resources' fonts.conf to
// a family, and the family to its file in the fonts folder ("Lato Light" is Lato-Light.ttf).
// A name that leads nowhere gets the first alias's family, said once on stderr.
class FontFiles {
  public:
    explicit FontFiles(const std::filesystem::path& resources);

    // The font for a name, opened once; null only when no font can be read at all.
    [[nodiscard]] const stbtt_fontinfo* font(const std::string& name);

  private:
    struct Font {
        std::vector<unsigned char> bytes;
        stbtt_fontinfo info{};
    };

    [[nodiscard]] const stbtt_fontinfo* open(const std::string& family);

    std::filesystem::path folder_;
    std::map<std::string, std::string> aliases_;  // name -> family
    std::string fallback_;
    std::map<std::string, std::unique_ptr<Font>> fonts_;  // by family; null where unreadable
    std::set<std::string> substituted_;
};

}  // namespace rovuzu
