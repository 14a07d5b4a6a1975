#include "platform/host/web/GlTextures.hpp"

#include <stb_image.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/core/PlaceholderImage.hpp"

namespace rovuzu {

GlTextures::~GlTextures() {
    for (const auto& [file, id] : files_) {
        textures_.remove(id);
    }
    textures_.remove(placeholder_);
}

GLuint GlTextures::placeholder() {
    if (placeholder_ == 0) {
        // Checks stay crisp when stretched, as the platform's own.
        placeholder_ =
            textures_.add({std::make_shared<const PixelImage>(PlaceholderImage::make()), false});
    }
    return static_cast<GLuint>(textures_.handle(placeholder_));
}

GLuint GlTextures::texture(const SKTexture& texture) {
    if (texture.isPlaceholder()) {
        return placeholder();
    }
    const std::string key = texture.url()->string();
    auto found = files_.find(key);
    if (found == files_.end()) {
        found = files_.emplace(key, load(*texture.url())).first;
    }
    return found->second != 0 ? static_cast<GLuint>(textures_.handle(found->second))
                              : placeholder();
}

GpuTextures::Id GlTextures::load(const NSURL& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = bytes.empty()
                          ? nullptr
                          : stbi_load_from_memory(bytes.data(), static_cast<int>(bytes.size()),
                                                  &width, &height, &channels, 4);
    if (pixels == nullptr) {
        diagnose(file.string() + ": cannot decode the image (" +
                 (bytes.empty() ? std::string("empty or unreadable") : stbi_failure_reason()) +
                 "); showing a placeholder");
        return 0;
    }
    const std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    auto image = std::make_shared<const PixelImage>(
        width, height, std::vector<std::uint8_t>(pixels, pixels + size));
    stbi_image_free(pixels);
    return textures_.add({std::move(image)});
}

}  // namespace rovuzu
