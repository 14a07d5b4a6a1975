#include <SDL2/SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "tests/support/Program.hpp"

namespace rovuzu {
namespace {

// A screenshot's pixels, for probing with a tolerance.
class Picture {
  public:
    explicit Picture(const std::filesystem::path& file)
        : surface_(IMG_Load(file.string().c_str()), SDL_FreeSurface) {
        if (surface_) {
            surface_.reset(SDL_ConvertSurfaceFormat(surface_.get(), SDL_PIXELFORMAT_RGBA32, 0));
        }
    }

    [[nodiscard]] bool loaded() const { return surface_ != nullptr; }
    [[nodiscard]] int width() const { return surface_->w; }
    [[nodiscard]] int height() const { return surface_->h; }

    [[nodiscard]] SDL_Color at(int x, int y) const {
        const auto* row = static_cast<const Uint8*>(surface_->pixels) + y * surface_->pitch;
        const Uint8* p = row + 4 * x;
        return {p[0], p[1], p[2], p[3]};
    }

    // The box holding every pixel that passes the test within the area, or an empty box.
    [[nodiscard]] SDL_Rect bounds(const std::function<bool(SDL_Color)>& test, SDL_Rect area) const {
        int x0 = area.x + area.w;
        int y0 = area.y + area.h;
        int x1 = -1;
        int y1 = -1;
        for (int y = std::max(area.y, 0); y < std::min(area.y + area.h, height()); ++y) {
            for (int x = std::max(area.x, 0); x < std::min(area.x + area.w, width()); ++x) {
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

    [[nodiscard]] int count(const std::function<bool(SDL_Color)>& test, SDL_Rect area) const {
        int n = 0;
        for (int y = area.y; y < area.y + area.h; ++y) {
            for (int x = area.x; x < area.x + area.w; ++x) {
                n += test(at(x, y)) ? 1 : 0;
            }
        }
        return n;
    }

  private:
    std::unique_ptr<SDL_Surface, void (*)(SDL_Surface*)> surface_;
};

bool white(SDL_Color c) {
    return c.r > 235 && c.g > 235 && c.b > 235;
}

bool near(SDL_Color a, SDL_Color b, int tolerance) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
           std::abs(a.b - b.b) <= tolerance;
}

class ScreenshotTest : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("rovuzu-shot-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::filesystem::path folder;
};

TEST_F(ScreenshotTest, AtOneSecondTheRoomAndTheHudShow) {
    std::ofstream(folder / "s.txt") << "1 screenshot one.png\n1 quit\n";
    ASSERT_EQ(runProgram("--headless --seed 1 --script s.txt", folder).status, 0);
    const Picture picture(folder / "one.png");
    ASSERT_TRUE(picture.loaded());
    ASSERT_EQ(picture.width(), 750);
    ASSERT_EQ(picture.height(), 1334);
    // "Faltan: 0" is white text centred 50 points under the top edge of the view's middle half.
    const SDL_Rect hud = picture.bounds(white, {200, 330, 350, 70});
    EXPECT_GT(hud.w, 60);
    EXPECT_NEAR(hud.x + hud.w / 2.0, 375.0, 8.0);
    EXPECT_EQ(picture.count(white, {0, 330, 200, 70}), 0);  // nothing white beside it
    // The room fills the picture: its corners are not the black of an empty view.
    for (const auto& [x, y] :
         {std::pair{5, 5}, std::pair{744, 5}, std::pair{5, 1328}, std::pair{744, 1328}}) {
        const SDL_Color c = picture.at(x, y);
        EXPECT_GT(c.r + c.g + c.b, 60) << x << "," << y;
    }
}

TEST_F(ScreenshotTest, ATargetStraightAheadShowsItsPictureAtTheCentre) {
    // The built-in player faces the first target at 3.5 s and taps a frame later.
    std::ofstream(folder / "s.txt") << "3.5 screenshot ahead.png\n3.5 quit\n";
    ASSERT_EQ(runProgram("--headless --autoplay --seed 4 --script s.txt", folder).status, 0);
    const Picture picture(folder / "ahead.png");
    ASSERT_TRUE(picture.loaded());
    const SDL_Color centre = picture.at(375, 667);
    bool matches = false;
    for (const char* name : {"rovuzu1", "rovuzu2", "rovuzu3", "rovuzu4"}) {
        const Picture target(std::filesystem::path{ROVUZU_SOURCE_RESOURCES} /
                             (std::string(name) + ".png"));
        ASSERT_TRUE(target.loaded());
        matches = matches || near(centre, target.at(target.width() / 2, target.height() / 2), 24);
    }
    EXPECT_TRUE(matches) << int{centre.r} << "," << int{centre.g} << "," << int{centre.b};
}

TEST_F(ScreenshotTest, TheRoundsResultIsFullyOnScreenInPortraitAndLandscape) {
    struct View {
        const char* size;
        int width;
        int height;
    };
    for (const View view : {View{"375x667", 750, 1334}, View{"1280x720", 2560, 1440}}) {
        const auto run = runProgram(std::string("--headless --autoplay --seed 9 --view ") +
                                        view.size + " --screenshot end.png --report r.json",
                                    folder);
        ASSERT_EQ(run.status, 0) << run.err;
        const Picture picture(folder / "end.png");
        ASSERT_TRUE(picture.loaded());
        ASSERT_EQ(picture.width(), view.width);
        // The label's text ends 50 scene units (25 points) left of the right edge; its baseline
        // is at scene y = 50 - (the view's middle y), which is three quarters down the picture
        // less 50 pixels. At 40 points the text stands about 60 pixels tall.
        const int right = view.width - 50;
        const int baseline = view.height * 3 / 4 - 50;
        const SDL_Rect text =
            picture.bounds(white, {view.width / 2, baseline - 70, view.width / 2, 90});
        EXPECT_GT(text.w, 300) << view.size;
        EXPECT_NEAR(text.x + text.w, right, 6) << view.size;
        EXPECT_GT(text.x, 0) << view.size;
        EXPECT_LE(text.y + text.h, baseline + 20) << view.size;
        // The game-over picture sits in the middle: its deep purple panel is there.
        const auto purple = [](SDL_Color c) { return c.b > c.g + 40 && c.r > c.g && c.b > 80; };
        EXPECT_GT(picture.count(purple, {view.width / 2 - 200, view.height / 2 - 60, 400, 120}),
                  5000)
            << view.size;
    }
}

TEST_F(ScreenshotTest, AViewTooLargeToDrawIsSaidOnceAndTheRunGoesOn) {
    // 9000 points a side would need 18000 pixels, more than the renderer draws.
    const auto run = runProgram(
        "--headless --autoplay --seed 2 --view 9000x100 --screenshot big.png "
        "--report r.json",
        folder);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err,
              "rovuzu: cannot draw offscreen at 18000x200 pixels (at most 16384 a side)\n");
    EXPECT_FALSE(std::filesystem::exists(folder / "big.png"));
    std::ifstream report(folder / "r.json");
    const std::string text{std::istreambuf_iterator<char>(report), {}};
    EXPECT_NE(text.find("\"gameOver\": true"), std::string::npos) << text;
}

}  // namespace
}  // namespace rovuzu
