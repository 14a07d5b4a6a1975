#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/foundation/NSBundle.hpp"

namespace rovuzu {

// An image from the main bundle, known by name. Only its size is read here; the renderer
// loads the pixels. A missing or unreadable image becomes a placeholder of the platform's
// placeholder size, announced once on stderr, so the game goes on with something to see.
class SKTexture {
  public:
    static constexpr double kPlaceholderSide = 128.0;

    SKTexture(std::string name, std::optional<NSURL> url, CGSize size);

    // The texture for an image name ("rovuzu1" or "rovuzu1.png"), shared per bundle and name.
    static std::shared_ptr<SKTexture> textureWithImageNamed(std::string_view name);

    [[nodiscard]] const std::string& name() const { return name_; }
    // The image file; none for a placeholder.
    [[nodiscard]] const std::optional<NSURL>& url() const { return url_; }
    [[nodiscard]] bool isPlaceholder() const { return !url_.has_value(); }
    // In scene units: one image pixel is one unit.
    [[nodiscard]] CGSize size() const { return size_; }

    // The pixel size stored in a PNG file's header, or nothing when it is not a PNG.
    static std::optional<CGSize> pngSize(const NSURL& file);

  private:
    std::string name_;
    std::optional<NSURL> url_;
    CGSize size_;
};

}  // namespace rovuzu
