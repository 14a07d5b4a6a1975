// Image headers: a sprite's size comes from its PNG file's header. Whatever the file holds,
// the reader gives nothing or a size it can stand behind: the file starts with the PNG
// signature and an IHDR chunk, and each side is a whole number of pixels from 1 to 16384.

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/spritekit/SKTexture.hpp"
#include "tests/fuzz/FuzzBundle.hpp"
#include "tests/fuzz/Require.hpp"

namespace {

bool isPixelCount(double side) {
    constexpr double kMaxSide = 16384.0;
    return side >= 1.0 && side <= kMaxSide && std::floor(side) == side;
}

bool startsLikeAPng(const std::uint8_t* data, std::size_t size) {
    constexpr std::array<std::uint8_t, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    constexpr std::size_t kHeader = 24;
    return size >= kHeader && std::memcmp(data, kSignature.data(), kSignature.size()) == 0 &&
           std::memcmp(data + 12, "IHDR", 4) == 0;
}

rovuzu::FuzzBundle& bundle() {
    static rovuzu::FuzzBundle instance{"png-header"};
    return instance;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    bundle();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using rovuzu::require;
    bundle().write("image.png", data, size);
    const auto pixels = rovuzu::SKTexture::pngSize(bundle().root() / "image.png");
    if (!pixels) {
        return 0;
    }
    require(startsLikeAPng(data, size), "a size comes only from a PNG signature and IHDR");
    require(isPixelCount(pixels->width) && isPixelCount(pixels->height),
            "each side is 1 to 16384 whole pixels");
    return 0;
}
