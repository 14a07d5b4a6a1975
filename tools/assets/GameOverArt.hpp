#pragma once

#include <filesystem>

#include "Canvas.hpp"

namespace rovuzu {

// The "FIN DEL JUEGO" badge shown at the end of a round. It carries no numbers: the game
// draws the elapsed time as a separate label just below it.
class GameOverArt {
  public:
    static constexpr int kWidth = 600;
    static constexpr int kHeight = 360;

    static Canvas render(const std::filesystem::path& fontFile);

  private:
    static void panel(Canvas& canvas);
    static void stars(Canvas& canvas);
    static void title(Canvas& canvas, const std::filesystem::path& fontFile);
    static void divider(Canvas& canvas);
};

}  // namespace rovuzu
