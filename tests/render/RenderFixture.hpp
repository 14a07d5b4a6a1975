#pragma once

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/host/core/FrameLayout.hpp"
#include "platform/host/sdl/Renderer.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/spritekit/SKView.hpp"

namespace rovuzu {

// A drawn frame's pixels, read back from the renderer.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<SDL_Color> pixels;

    [[nodiscard]] SDL_Color at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y * width + x)];
    }
    // How many pixels in [x0, x1) x [y0, y1) satisfy the test.
    [[nodiscard]] int count(const std::function<bool(SDL_Color)>& test, int x0, int y0, int x1,
                            int y1) const;
    [[nodiscard]] int count(const std::function<bool(SDL_Color)>& test) const {
        return count(test, 0, 0, width, height);
    }
    // The smallest rectangle holding every pixel that passes; empty (w = 0) when none does.
    [[nodiscard]] SDL_Rect bounds(const std::function<bool(SDL_Color)>& test) const;
};

// Within `tolerance` of (r, g, b) in every channel.
bool isNear(SDL_Color c, int r, int g, int b, int tolerance = 24);
// Brighter than a dark background: part of some drawn text or shape.
bool isLit(SDL_Color c);
bool isMagenta(SDL_Color c);

// An offscreen window with SDL's software renderer and our renderer on it, 2 pixels per point,
// with a scratch resource folder holding the repository's fonts.conf. Console output is caught.
// The window is kWidth by kHeight pixels unless a fixture sets `target` before SetUp.
class RenderTest : public ::testing::Test {
  protected:
    static constexpr int kViewWidth = 200;  // points
    static constexpr int kViewHeight = 300;
    static constexpr double kPixelsPerPoint = 2.0;
    static constexpr int kWidth = 400;  // pixels
    static constexpr int kHeight = 600;

    void SetUp() override;
    void TearDown() override;

    // A scene with its origin at the view's centre, presented by the view.
    static std::shared_ptr<SKScene> presentScene(SKView& view);
    // Fills the target with magenta, so that any pixel left undrawn shows, then draws the view
    // as a host lays it out, with `surroundings` behind an AR view.
    void draw(const SKView& view);
    [[nodiscard]] Capture capture() const;
    Capture drawAndCapture(const SKView& view) {
        draw(view);
        return capture();
    }
    // The pixel a scene point lands on, for a scene of twice the view's size.
    [[nodiscard]] static SDL_Point pixelOf(double sceneX, double sceneY);
    // Writes a PNG into the resource folder, coloured by `paint`.
    void writeImage(const std::string& name, int width, int height,
                    const std::function<SDL_Color(int, int)>& paint) const;
    [[nodiscard]] std::vector<std::string> errorLines() const;

    std::ostringstream out;
    std::ostringstream err;
    std::filesystem::path bundle;
    SDL_Window* window = nullptr;
    SDL_Renderer* sdl = nullptr;
    std::unique_ptr<Renderer> renderer;
    FrameLayout::Surroundings surroundings;
    SDL_Point target{kWidth, kHeight};  // pixels
};

}  // namespace rovuzu
