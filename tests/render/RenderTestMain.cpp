#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

// SDL's variables must be set before SDL starts, and gtest_discover_tests keeps only one
// environment variable, so the tests set their own; values already set are kept.
int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    ::testing::InitGoogleTest(&argc, argv);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    const int result = RUN_ALL_TESTS();
    SDL_Quit();
    return result;
}
