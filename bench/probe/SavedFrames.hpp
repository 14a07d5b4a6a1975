#pragma once

#include <SDL2/SDL.h>

#include <filesystem>
#include <vector>

namespace rovuzu {

// The frames SDL's offscreen video driver saved in a folder (SDL_VIDEO_OFFSCREEN_SAVE_FRAMES
// writes one BMP per present), in the order they were presented.
class SavedFrames {
  public:
    explicit SavedFrames(const std::filesystem::path& folder);

    [[nodiscard]] std::size_t count() const { return files_.size(); }
    // Whether frames `a` and `b` (counted from 0) differ in any pixel of the square that
    // reaches `radius` pixels from `centre`. Frames that cannot be read count as different.
    [[nodiscard]] bool differ(std::size_t a, std::size_t b, SDL_Point centre, int radius) const;

  private:
    std::vector<std::filesystem::path> files_;
};

}  // namespace rovuzu
