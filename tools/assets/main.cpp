// Generates rovuzu's original art and sounds into a directory:
//   rovuzu_make_assets OUTPUT_DIR
// The music comes out as rovuzu.wav; tools/make-assets.sh encodes it to MP3.

#include <SDL.h>
#include <SDL_ttf.h>

#include <array>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "AudioBuffer.hpp"
#include "GameOverArt.hpp"
#include "Instruments.hpp"
#include "MusicLoop.hpp"
#include "Random.hpp"
#include "TargetArt.hpp"

namespace fs = std::filesystem;

namespace {

// Heaviest Lato cut first; any of them suits a bold title.
fs::path titleFont() {
    const std::array<const char*, 3> candidates{
        "/usr/share/fonts/truetype/lato/Lato-Black.ttf",
        "/usr/share/fonts/truetype/lato/Lato-Heavy.ttf",
        "/usr/share/fonts/truetype/lato/Lato-Bold.ttf",
    };
    for (const char* candidate : candidates) {
        if (fs::exists(candidate)) {
            return candidate;
        }
    }
    throw std::runtime_error("Lato not found; install fonts-lato");
}

void writePictures(const fs::path& out) {
    for (int design = 0; design < rovuzu::TargetArt::kDesignCount; ++design) {
        rovuzu::TargetArt::target(design).savePng(out /
                                                  ("rovuzu" + std::to_string(design + 1) + ".png"));
    }
    rovuzu::TargetArt::icon().savePng(out / "icon.png");
    // The web app's icons: the sizes launchers and install prompts ask for.
    for (const int size : {192, 512}) {
        rovuzu::TargetArt::icon(size).savePng(out / ("icon-" + std::to_string(size) + ".png"));
    }
    rovuzu::TargetArt::maskableIcon(512).savePng(out / "icon-maskable-512.png");
    rovuzu::GameOverArt::render(titleFont()).savePng(out / "gameover.png");
}

void writeSounds(const fs::path& out) {
    rovuzu::Random random(0x51c4d3a7ULL);
    const rovuzu::Voice hit = rovuzu::instruments::quickDeath(random);
    rovuzu::AudioBuffer effect(1, hit.size());
    effect.mix(hit, 0, 1.0f);
    effect.normalise(-3.0f);
    effect.writeWav(out / "QuickDeath.wav");
    rovuzu::MusicLoop().render().writeWav(out / "rovuzu.wav");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " OUTPUT_DIR\n";
        return 2;
    }
    if (SDL_Init(0) != 0 || TTF_Init() != 0) {
        std::cerr << "SDL init failed: " << SDL_GetError() << "\n";
        return 1;
    }
    int status = 0;
    try {
        const fs::path out = argv[1];
        fs::create_directories(out);
        writePictures(out);
        writeSounds(out);
    } catch (const std::exception& error) {
        std::cerr << "rovuzu_make_assets: " << error.what() << "\n";
        status = 1;
    }
    TTF_Quit();
    SDL_Quit();
    return status;
}
