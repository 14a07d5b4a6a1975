#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace rovuzu {

using NSURL = std::filesystem::path;

// A folder of resources found by name and extension. Names are plain file names: a name that
// could reach outside the folder (a separator, "..", a control character) finds nothing.
class NSBundle {
  public:
    explicit NSBundle(std::filesystem::path root);

    // The application's resources. The host points it at the resource folder at start-up.
    static NSBundle& mainBundle();
    static void setMainBundlePath(std::filesystem::path root);

    // The resource's location when `name.extension` is a regular file in the bundle; an empty
    // extension looks for `name` alone.
    [[nodiscard]] std::optional<NSURL> URLForResource(std::string_view name,
                                                      std::string_view extension) const;

    [[nodiscard]] const std::filesystem::path& bundlePath() const { return root_; }

    [[nodiscard]] static bool isSafeResourceName(std::string_view name);

  private:
    std::filesystem::path root_;
};

}  // namespace rovuzu
