#include "platform/spritekit/SKTexture.hpp"

#include <array>
#include <cstdint>
#include <fstream>
#include <map>
#include <utility>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

namespace {

std::uint32_t bigEndian(const unsigned char* bytes) {
    return (std::uint32_t{bytes[0]} << 24U) | (std::uint32_t{bytes[1]} << 16U) |
           (std::uint32_t{bytes[2]} << 8U) | std::uint32_t{bytes[3]};
}

std::shared_ptr<SKTexture> loadTexture(std::string_view name) {
    const NSBundle& bundle = NSBundle::mainBundle();
    std::string base{name};
    if (base.size() > 4 && base.ends_with(".png")) {
        base.resize(base.size() - 4);
    }
    const CGSize placeholder{SKTexture::kPlaceholderSide, SKTexture::kPlaceholderSide};
    const auto url = bundle.URLForResource(base, "png");
    if (!url) {
        diagnose("image '" + std::string(name) + "' not found in " + bundle.bundlePath().string() +
                 "; showing a placeholder");
        return std::make_shared<SKTexture>(std::string(name), std::nullopt, placeholder);
    }
    const auto size = SKTexture::pngSize(*url);
    if (!size) {
        diagnose(url->string() + ": not a readable PNG image; showing a placeholder");
        return std::make_shared<SKTexture>(std::string(name), std::nullopt, placeholder);
    }
    return std::make_shared<SKTexture>(std::string(name), url, *size);
}

}  // namespace

SKTexture::SKTexture(std::string name, std::optional<NSURL> url, CGSize size)
    : name_(std::move(name)), url_(std::move(url)), size_(size) {}

std::shared_ptr<SKTexture> SKTexture::textureWithImageNamed(std::string_view name) {
    static std::map<std::pair<std::string, std::string>, std::shared_ptr<SKTexture>> cache;
    const auto key = std::pair{NSBundle::mainBundle().bundlePath().string(), std::string(name)};
    auto& texture = cache[key];
    if (!texture) {
        texture = loadTexture(name);
    }
    return texture;
}

std::optional<CGSize> SKTexture::pngSize(const NSURL& file) {
    constexpr std::array<unsigned char, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::uint32_t kMaxSide = 16384;
    std::array<unsigned char, 24> header{};
    std::ifstream in(file, std::ios::binary);
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    if (!in || !std::equal(kSignature.begin(), kSignature.end(), header.begin()) ||
        std::string_view(reinterpret_cast<const char*>(&header[12]), 4) != "IHDR") {
        return std::nullopt;
    }
    const std::uint32_t width = bigEndian(&header[16]);
    const std::uint32_t height = bigEndian(&header[20]);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide) {
        return std::nullopt;
    }
    return CGSize{static_cast<double>(width), static_cast<double>(height)};
}

}  // namespace rovuzu
