#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <iomanip>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "platform/arkit/ARSKView.hpp"
#include "platform/spritekit/SKLabelNode.hpp"
#include "platform/world/DevicePose.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

// How legible the game's text is over whatever lies behind it, by WCAG's contrast ratio
// (L1 + 0.05) / (L2 + 0.05) of two relative luminances, L1 the lighter. A label's glyph pixels
// are those it lights to at least half its own colour when drawn over black; the ring just
// around them is every pixel within one point of a glyph pixel that the label leaves dark
// (under 1/16 of its colour) over black, so the glyphs' anti-aliased edge counts as neither.
// Over each picture the glyph pixels' median luminance is set against the ring's, and WCAG's
// figure for text, 4.5:1, is the least a label may have.
constexpr double kLeastRatio = 4.5;
constexpr int kGlyphLevel = 128;  // of 255, over black
constexpr int kDarkLevel = 16;

double linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(SDL_Color c) {
    return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// Where a label's glyphs are and the ring just around them, as indices into a capture's pixels.
struct Footprint {
    std::vector<std::size_t> glyphs;
    std::vector<std::size_t> ring;
};

// From the white label drawn alone over black.
Footprint footprintOf(const Capture& overBlack, double ringPixels) {
    Footprint footprint;
    std::vector<bool> inRing(overBlack.pixels.size(), false);
    const int reach = static_cast<int>(std::floor(ringPixels));
    for (int y = 0; y < overBlack.height; ++y) {
        for (int x = 0; x < overBlack.width; ++x) {
            if (overBlack.at(x, y).r < kGlyphLevel) {
                continue;
            }
            footprint.glyphs.push_back(static_cast<std::size_t>(y) * overBlack.width + x);
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int nx = x + dx;
                    const int ny = y + dy;
                    if (dx * dx + dy * dy <= ringPixels * ringPixels && nx >= 0 && ny >= 0 &&
                        nx < overBlack.width && ny < overBlack.height &&
                        overBlack.at(nx, ny).r < kDarkLevel) {
                        inRing[static_cast<std::size_t>(ny) * overBlack.width + nx] = true;
                    }
                }
            }
        }
    }
    for (std::size_t i = 0; i < inRing.size(); ++i) {
        if (inRing[i]) {
            footprint.ring.push_back(i);
        }
    }
    return footprint;
}

double medianLuminance(const Capture& shown, const std::vector<std::size_t>& pixels) {
    std::vector<double> values;
    values.reserve(pixels.size());
    for (const std::size_t i : pixels) {
        values.push_back(luminance(shown.pixels[i]));
    }
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

double contrast(const Capture& shown, const Footprint& where) {
    const double glyphs = medianLuminance(shown, where.glyphs);
    const double ring = medianLuminance(shown, where.ring);
    return (std::max(glyphs, ring) + 0.05) / (std::min(glyphs, ring) + 0.05);
}

// A picture behind the view: a camera's picture of one colour, or the built-in room.
struct Picture {
    const char* name = "";
    std::optional<SDL_Color> colour;  // none: the room, looking up at its light ceiling
};

enum class Line { hud, elapsed, readouts, notice };

const char* nameOf(Line line) {
    switch (line) {
        case Line::hud:
            return "HUD";
        case Line::elapsed:
            return "elapsed";
        case Line::readouts:
            return "read-outs";
        case Line::notice:
            return "notice";
    }
    return "";
}

// The game's lines of text where the game puts them, on a phone's view at two pixels a point.
class TextContrastTest : public RenderTest {
  protected:
    static constexpr double kPhoneWidth = 375.0;  // points
    static constexpr double kPhoneHeight = 667.0;

    TextContrastTest() {
        target = {static_cast<int>(kPhoneWidth * kPixelsPerPoint),
                  static_cast<int>(kPhoneHeight * kPixelsPerPoint)};
    }

    void SetUp() override {
        RenderTest::SetUp();
        scene = presentScene(view);
        view.session().runWithConfiguration({}, ARSessionRunOptions::none);
    }

    // The view showing only `line`, in white.
    void show(Line line) {
        for (const auto& child : std::vector(scene->children())) {
            child->removeFromParent();
        }
        view.setShowsNodeCount(line == Line::readouts);
        view.setShowsFPS(line == Line::readouts);
        surroundings.notice = line == Line::notice ? "Seguimiento perdido" : "";
        if (line == Line::hud) {
            // As the game sets its HUD: Avenir Next at 30, 50 points under the view's top.
            auto label = SKLabelNode::labelNodeWithText("Faltan: 3");
            label->setFontName("Avenir Next");
            label->setFontSize(30);
            label->setPosition({0, kPhoneHeight / 2 - 50});
            scene->addChild(label);
        } else if (line == Line::elapsed) {
            // And its elapsed time: the default font at 40, ending 25 points from the right.
            auto label = SKLabelNode::labelNodeWithText("Te ha llevado: 75 segundos");
            label->setFontSize(40);
            label->setHorizontalAlignmentMode(SKLabelHorizontalAlignmentMode::right);
            label->setPosition({kPhoneWidth - 50, 50 - kPhoneHeight / 2});
            scene->addChild(label);
        }
        for (int frame = 0; frame < 3; ++frame) {
            view.stepFrame(frame / 60.0);
        }
    }

    void showPicture(const Picture& picture) {
        if (!picture.colour) {
            surroundings.cameraPicture = 0;
            view.session().setCameraIntrinsics(std::nullopt);
            view.session().setDevicePose(DevicePose::looking(0.0, 70.0).transform());
            return;
        }
        const SDL_Color c = *picture.colour;
        CameraFrame frame{8, 8, {}, 0.0};
        for (int i = 0; i < frame.width * frame.height; ++i) {
            frame.rgb.insert(frame.rgb.end(), {c.r, c.g, c.b});
        }
        renderer->setCameraFrame(frame);
        surroundings.cameraPicture = ++pictureNumber_;
        view.session().setCameraIntrinsics(CameraIntrinsics::fromFieldOfView(8, 8));
    }

    ARSKView view{CGRect{{0, 0}, {kPhoneWidth, kPhoneHeight}}};
    std::shared_ptr<SKScene> scene;

  private:
    std::uint64_t pictureNumber_ = 0;
};

TEST_F(TextContrastTest, EveryLineStandsOutFromWhatIsJustAroundItOverAnyPicture) {
    const std::array pictures{Picture{"white", SDL_Color{255, 255, 255, 255}},
                              Picture{"mid-grey #808080", SDL_Color{128, 128, 128, 255}},
                              Picture{"pale sky #BFE3FF", SDL_Color{191, 227, 255, 255}},
                              Picture{"black", SDL_Color{0, 0, 0, 255}},
                              Picture{"the room's ceiling", std::nullopt}};
    for (const Line line : {Line::hud, Line::elapsed, Line::readouts, Line::notice}) {
        show(line);
        showPicture({"black", SDL_Color{0, 0, 0, 255}});
        const Footprint footprint = footprintOf(drawAndCapture(view), kPixelsPerPoint);
        ASSERT_GT(footprint.glyphs.size(), 100U) << nameOf(line);
        ASSERT_GT(footprint.ring.size(), footprint.glyphs.size() / 2) << nameOf(line);
        double worst = 1.0e9;
        std::string worstOver;
        for (const Picture& picture : pictures) {
            showPicture(picture);
            const double ratio = contrast(drawAndCapture(view), footprint);
            EXPECT_GE(ratio, kLeastRatio) << nameOf(line) << " over " << picture.name;
            std::cout << "  " << std::setw(10) << nameOf(line) << " over " << std::setw(18)
                      << picture.name << ": " << std::fixed << std::setprecision(2) << ratio
                      << ":1\n";
            if (ratio < worst) {
                worst = ratio;
                worstOver = picture.name;
            }
        }
        std::cout << "  " << nameOf(line) << ": the worst is " << worst << ":1, over " << worstOver
                  << "\n";
    }
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

}  // namespace
}  // namespace rovuzu
