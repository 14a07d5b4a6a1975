#include "tests/render/RenderFixture.hpp"

#include <SDL2/SDL_image.h>

#include <algorithm>
#include <cstdlib>

#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSBundle.hpp"

namespace rovuzu {

int Capture::count(const std::function<bool(SDL_Color)>& test, int x0, int y0, int x1,
                   int y1) const {
    int n = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
        for (int x = std::max(x0, 0); x < std::min(x1, width); ++x) {
            n += test(at(x, y)) ? 1 : 0;
        }
    }
    return n;
}

SDL_Rect Capture::bounds(const std::function<bool(SDL_Color)>& test) const {
    int x0 = width;
    int y0 = height;
    int x1 = -1;
    int y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (test(at(x, y))) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    }
    return x1 < 0 ? SDL_Rect{0, 0, 0, 0} : SDL_Rect{x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

bool isNear(SDL_Color c, int r, int g, int b, int tolerance) {
    return std::abs(c.r - r) <= tolerance && std::abs(c.g - g) <= tolerance &&
           std::abs(c.b - b) <= tolerance;
}

bool isLit(SDL_Color c) {
    return c.r + c.g + c.b > 3 * 96;
}

bool isMagenta(SDL_Color c) {
    return isNear(c, 255, 0, 255, 40);
}

void RenderTest::SetUp() {
    Console::redirect(&out, &err);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    bundle = std::filesystem::temp_directory_path() /
             ("rovuzu-render-" + std::string(test->test_suite_name()) + "-" + test->name());
    std::filesystem::remove_all(bundle);
    std::filesystem::create_directories(bundle);
    std::filesystem::copy_file(std::filesystem::path(ROVUZU_SOURCE_RESOURCES) / "fonts.conf",
                               bundle / "fonts.conf");
    NSBundle::setMainBundlePath(bundle);
    window = SDL_CreateWindow("rovuzu test", 0, 0, target.x, target.y, SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    sdl = SDL_CreateRenderer(window, -1, 0);
    ASSERT_NE(sdl, nullptr) << SDL_GetError();
    renderer = std::make_unique<Renderer>(sdl, bundle);
}

void RenderTest::TearDown() {
    renderer.reset();
    if (sdl != nullptr) {
        SDL_DestroyRenderer(sdl);
    }
    if (window != nullptr) {
        SDL_DestroyWindow(window);
    }
    NSBundle::setMainBundlePath({});
    Console::redirect(nullptr, nullptr);
    std::filesystem::remove_all(bundle);
}

std::shared_ptr<SKScene> RenderTest::presentScene(SKView& view) {
    auto scene = std::make_shared<SKScene>();
    scene->setAnchorPoint({0.5, 0.5});
    view.presentScene(scene);
    return scene;
}

void RenderTest::draw(const SKView& view) {
    SDL_SetRenderDrawColor(sdl, 255, 0, 255, 255);
    SDL_RenderClear(sdl);
    renderer->draw(FrameLayout::of(view, kPixelsPerPoint, surroundings, nullptr));
}

Capture RenderTest::capture() const {
    // SDL_Color's bytes are red, green, blue, alpha: RGBA32's order.
    static_assert(sizeof(SDL_Color) == 4);
    Capture frame{target.x, target.y,
                  std::vector<SDL_Color>(static_cast<std::size_t>(target.x) * target.y)};
    SDL_RenderReadPixels(sdl, nullptr, SDL_PIXELFORMAT_RGBA32, frame.pixels.data(), target.x * 4);
    return frame;
}

SDL_Point RenderTest::pixelOf(double sceneX, double sceneY) {
    const double sceneWidth = kViewWidth * SKView::kSceneUnitsPerPoint;
    const double sceneHeight = kViewHeight * SKView::kSceneUnitsPerPoint;
    return {static_cast<int>((sceneX + sceneWidth / 2.0) * kPixelsPerPoint / 2.0),
            static_cast<int>((sceneHeight / 2.0 - sceneY) * kPixelsPerPoint / 2.0)};
}

void RenderTest::writeImage(const std::string& name, int width, int height,
                            const std::function<SDL_Color(int, int)>& paint) const {
    std::vector<SDL_Color> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(paint(x, y));
        }
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), width, height, 32,
                                                              width * 4, SDL_PIXELFORMAT_RGBA32);
    ASSERT_NE(surface, nullptr);
    EXPECT_EQ(IMG_SavePNG(surface, (bundle / (name + ".png")).c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(surface);
}

std::vector<std::string> RenderTest::errorLines() const {
    std::vector<std::string> lines;
    std::istringstream in(err.str());
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace rovuzu
