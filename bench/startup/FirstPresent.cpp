// Preloaded into the real program (LD_PRELOAD), this notes when its first frame is presented,
// without changing the program: SDL_RenderPresent is passed on to SDL, and the first time it
// returns, one line on stderr tells how long after ROVUZU_LAUNCHED_AT (nanoseconds since the
// epoch, taken by whoever started the program, e.g. `date +%s%N`) that was.
#include <SDL2/SDL.h>
#include <dlfcn.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Present = void (*)(SDL_Renderer*);

void reportFirst() {
    const char* launched = std::getenv("ROVUZU_LAUNCHED_AT");
    if (launched == nullptr) {
        return;
    }
    errno = 0;
    const long long start = std::strtoll(launched, nullptr, 10);
    if (errno != 0) {
        return;
    }
    const auto now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                         std::chrono::system_clock::now().time_since_epoch())
                         .count();
    std::fprintf(stderr, "first frame presented %.1f ms after launch\n",
                 static_cast<double>(now - start) / 1.0e6);
}

}  // namespace

extern "C" void SDL_RenderPresent(SDL_Renderer* renderer) {
    static const auto real = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
    static bool presented = false;
    real(renderer);
    if (!presented) {
        presented = true;
        reportFirst();
    }
}
