#include "platform/host/web/GlTextures.hpp"

#include <stb_image.h>

#include <fstream>
#include <iterator>
#include <vector>

#include "platform/foundation/Console.hpp"
#include "platform/host/core/PlaceholderImage.hpp"

namespace rovuzu {

GlTextures::~GlTextures() {
    for (const auto& [file, name] : files_) {
        glDeleteTextures(1, &name);
    }
    glDeleteTextures(1, &placeholder_);
}

GLuint GlTextures::upload(const PixelImage& image) {
    return upload(image.width(), image.height(), image.bytes().data());
}

GLuint GlTextures::upload(int width, int height, const std::uint8_t* rgba) {
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return name;
}

GLuint GlTextures::placeholder() {
    if (placeholder_ == 0) {
        placeholder_ = upload(PlaceholderImage::make());
    }
    return placeholder_;
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
    return found->second != 0 ? found->second : placeholder();
}

GLuint GlTextures::load(const NSURL& file) {
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
    const GLuint name = upload(width, height, pixels);
    stbi_image_free(pixels);
    return name;
}

}  // namespace rovuzu
