#include "bench/probe/SavedFrames.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/host/sdl/SdlHandles.hpp"

namespace rovuzu {

namespace {

SurfacePtr load(const std::filesystem::path& file) {
    const SurfacePtr loaded{SDL_LoadBMP(file.c_str())};
    return SurfacePtr{loaded ? SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0)
                             : nullptr};
}

}  // namespace

SavedFrames::SavedFrames(const std::filesystem::path& folder) {
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".bmp") {
            files_.push_back(entry.path());
        }
    }
    // The frame number is zero-padded, so names sort in presenting order.
    std::sort(files_.begin(), files_.end());
}

bool SavedFrames::differ(std::size_t a, std::size_t b, SDL_Point centre, int radius) const {
    const SurfacePtr first = load(files_.at(a));
    const SurfacePtr second = load(files_.at(b));
    if (!first || !second || first->w != second->w || first->h != second->h) {
        return true;
    }
    const int x0 = std::max(centre.x - radius, 0);
    const int x1 = std::min(centre.x + radius, first->w);
    const int y0 = std::max(centre.y - radius, 0);
    const int y1 = std::min(centre.y + radius, first->h);
    if (x1 <= x0) {
        return false;
    }
    const auto bytes = static_cast<std::size_t>(x1 - x0) * sizeof(std::uint32_t);
    for (int y = y0; y < y1; ++y) {
        const auto* p = static_cast<const std::uint8_t*>(first->pixels) + y * first->pitch + x0 * 4;
        const auto* q =
            static_cast<const std::uint8_t*>(second->pixels) + y * second->pitch + x0 * 4;
        if (std::memcmp(p, q, bytes) != 0) {
            return true;
        }
    }
    return false;
}

}  // namespace rovuzu
