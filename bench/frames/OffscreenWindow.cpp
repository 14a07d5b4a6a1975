#include "bench/frames/OffscreenWindow.hpp"

namespace rovuzu {

OffscreenWindow::OffscreenWindow(int width, int height) {
    window_ = SDL_CreateWindow("rovuzu frames", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               width, height, SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (window_ != nullptr) {
        renderer_ =
            SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    }
}

OffscreenWindow::~OffscreenWindow() {
    if (renderer_ != nullptr) {
        SDL_DestroyRenderer(renderer_);
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
    }
}

std::string OffscreenWindow::description() const {
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(renderer_, &info);
    int width = 0;
    int height = 0;
    SDL_GetRendererOutputSize(renderer_, &width, &height);
    const char* acceleration = SDL_getenv("SDL_FRAMEBUFFER_ACCELERATION");
    return std::to_string(width) + "x" + std::to_string(height) + " px, video driver " +
           SDL_GetCurrentVideoDriver() + ", renderer " + info.name +
           ", SDL_FRAMEBUFFER_ACCELERATION=" + (acceleration != nullptr ? acceleration : "unset");
}

}  // namespace rovuzu
