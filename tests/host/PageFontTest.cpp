// The page's fonts are cut down to the characters the game can show. Every line of text two
// whole rounds show (one the built-in player wins, one nobody plays, so the HUD counts both
// down to nothing and up to every target) is set by the page's typesetter in the faces it
// picks for it, cut and whole: no character may be missing from the cut face, and the line
// must come out the same, pixel for pixel.
#include <gtest/gtest.h>
#include <stb_truetype.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/host/core/HostSession.hpp"
#include "platform/host/core/Readouts.hpp"
#include "platform/host/core/TextBox.hpp"
#include "platform/host/web/FontFiles.hpp"
#include "platform/host/web/StbTypesetter.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

namespace fs = std::filesystem;

// A line as the page would set it: in this font, at this many pixels to the em.
struct Shown {
    std::string fontName;
    int pixelSize = 0;
    std::string text;
    bool operator<(const Shown& other) const {
        return std::tie(fontName, pixelSize, text) <
               std::tie(other.fontName, other.pixelSize, other.text);
    }
};

std::vector<int> codePoints(const std::string& text) {
    std::vector<int> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80U ? 1 : lead < 0xE0U ? 2 : lead < 0xF0U ? 3 : 4;
        unsigned point = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            point = (point << 6U) | (static_cast<unsigned char>(text[i + k]) & 0x3FU);
        }
        points.push_back(static_cast<int>(point));
        i += length;
    }
    return points;
}

// The frame's lines of text: its labels, its read-outs and its notice.
void addLines(const Frame& frame, int readoutSize, std::set<Shown>& lines) {
    for (const Frame::Item& item : frame.items) {
        if (const auto* text = std::get_if<Frame::Text>(&item)) {
            lines.insert({text->fontName, TextBox::setSize(*text), text->text});
        }
    }
    for (const std::string& strip : {frame.readouts, frame.notice}) {
        if (!strip.empty()) {
            lines.insert({Readouts::kFontName, readoutSize, strip});
        }
    }
}

// Whether a line is, or (for a read-out) ends with, the text.
bool hasText(const std::set<Shown>& lines, const std::string& text) {
    return std::any_of(lines.begin(), lines.end(), [&text](const Shown& line) {
        return line.text.size() >= text.size() &&
               line.text.compare(line.text.size() - text.size(), text.size(), text) == 0;
    });
}

class PageFontTest : public PlatformTest {
  protected:
    void SetUp() override {
        PlatformTest::SetUp();
        addLaunchResources();
    }

    // The page's resources folder with these faces: its fonts.conf and its fonts.
    [[nodiscard]] fs::path fontFolder(const std::string& name, const fs::path& regular,
                                      const fs::path& light) const {
        fs::path folder = bundle / name;
        fs::create_directories(folder / "fonts");
        fs::copy_file(fs::path{ROVUZU_SOURCE_RESOURCES} / "fonts.conf", folder / "fonts.conf");
        fs::copy_file(regular, folder / "fonts" / "Lato.ttf");
        fs::copy_file(light, folder / "fonts" / "Lato-Light.ttf");
        return folder;
    }

    // Every line of text in the frames of a whole round, drawn three pixels a point.
    std::set<Shown> roundLines(bool autoplay) {
        constexpr double kPixelsPerPoint = 3.0;
        const int readoutSize =
            static_cast<int>(std::lround(Readouts::kFontSize * kPixelsPerPoint));
        HostSession::Plan plan;
        plan.autoplay = autoplay;
        plan.settings.stopsByItself = true;
        HostSession session(std::move(plan), &audio);
        EXPECT_TRUE(session.launch()) << err.str();
        session.setPixelsPerPoint(kPixelsPerPoint);
        std::set<Shown> lines;
        session.runDue(std::numeric_limits<double>::infinity(), [&](const HostSession::Turn& turn) {
            if (turn.frame != nullptr) {
                addLines(*turn.frame, readoutSize, lines);
            }
        });
        return lines;
    }

    // No character of any line is missing from the cut face the page picks for it, and the
    // page's typesetter sets every line with it as with the whole face.
    void expectSetTheSameCutAndWhole(const std::set<Shown>& lines) {
        const fs::path lato{ROVUZU_LATO};
        const fs::path page{ROVUZU_PAGE_FONTS};
        const fs::path cutFolder = fontFolder("cut", page / "Lato.ttf", page / "Lato-Light.ttf");
        FontFiles cutFaces(cutFolder);
        StbTypesetter cut(cutFolder);
        StbTypesetter whole(
            fontFolder("whole", lato / "Lato-Regular.ttf", lato / "Lato-Light.ttf"));
        for (const Shown& line : lines) {
            const stbtt_fontinfo* face = cutFaces.font(line.fontName);
            ASSERT_NE(face, nullptr) << line.fontName;
            for (const int point : codePoints(line.text)) {
                EXPECT_NE(stbtt_FindGlyphIndex(face, point), 0)
                    << "U+" << std::hex << point << " of \"" << line.text << "\" in "
                    << line.fontName;
            }
            const auto fromCut = cut.set(line.fontName, line.pixelSize, line.text);
            const auto fromWhole = whole.set(line.fontName, line.pixelSize, line.text);
            ASSERT_TRUE(fromCut && fromWhole) << line.fontName;
            EXPECT_TRUE(
                fromCut->width == fromWhole->width && fromCut->height == fromWhole->height &&
                fromCut->ascent == fromWhole->ascent && fromCut->coverage == fromWhole->coverage)
                << "\"" << line.text << "\" in " << line.fontName << " at " << line.pixelSize
                << ": " << fromCut->width << " pixels wide cut, " << fromWhole->width << " whole";
        }
        EXPECT_EQ(err.str().find("font '"), std::string::npos) << err.str();
    }
};

TEST_F(PageFontTest, ARoundThePlayerWinsIsSetTheSameWithTheCutFaces) {
    const std::set<Shown> lines = roundLines(true);
    ASSERT_TRUE(hasText(lines, "Faltan: 0"));
    ASSERT_TRUE(hasText(lines, "Te ha llevado: 75 segundos"));
    ASSERT_TRUE(hasText(lines, " fps"));
    expectSetTheSameCutAndWhole(lines);
}

TEST_F(PageFontTest, ARoundNobodyPlaysIsSetTheSameWithTheCutFaces) {
    const std::set<Shown> lines = roundLines(false);
    ASSERT_TRUE(hasText(lines, "Faltan: 25"));
    expectSetTheSameCutAndWhole(lines);
}

}  // namespace
}  // namespace rovuzu
