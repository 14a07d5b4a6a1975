#include <fstream>

#include "platform/host/sdl/FontLibrary.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

using FontLibraryTest = RenderTest;

TEST_F(FontLibraryTest, PlatformFontNamesMapToLatoAndInstalledFamiliesNeedNoAlias) {
    struct Case {
        const char* name;
        const char* file;  // part of the file's name; empty when any installed face will do
    };
    const Case cases[] = {{"Avenir Next", "Lato-Regular"},
                          {"HelveticaNeue-UltraLight", "Lato-Light"},  // the default label font
                          {"AvenirNext-Bold", "Lato-Bold"},
                          {"DejaVu Sans", ""},
                          {"Lato Medium", ""}};
    FontLibrary fonts(bundle);
    for (const Case& c : cases) {
        const auto& face = fonts.face(c.name);
        ASSERT_TRUE(face.has_value()) << c.name;
        EXPECT_NE(face->file.find(c.file), std::string::npos) << c.name << ": " << face->file;
    }
    EXPECT_EQ(fonts.face("Avenir Next")->family, "Lato");
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(FontLibraryTest, AResourceFolderGivenRelativelyIsFound) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(bundle.parent_path());
    {
        FontLibrary fonts(bundle.filename());
        EXPECT_EQ(fonts.face("Avenir Next")->family, "Lato");
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(FontLibraryTest, AnUnknownNameGetsASubstituteAnnouncedOnce) {
    FontLibrary fonts(bundle);
    const auto& face = fonts.face("Rovuzu Imaginary Sans");
    ASSERT_TRUE(face.has_value());
    EXPECT_NE(fonts.font("Rovuzu Imaginary Sans", 20), nullptr);
    EXPECT_NE(fonts.font("Rovuzu Imaginary Sans", 30), nullptr);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_EQ(lines[0],
              "rovuzu: font 'Rovuzu Imaginary Sans' not found; using '" + face->family + "'");
}

TEST_F(FontLibraryTest, AMissingOrBrokenAliasFileIsSaidOnce) {
    const std::pair<const char*, const char*> cases[] = {
        {nullptr, "fonts.conf: not found"},
        {"<fontconfig><alias>", "fonts.conf: not a valid fontconfig file (line 1:"}};
    for (const auto& [content, said] : cases) {
        err.str("");
        std::filesystem::remove(bundle / "fonts.conf");
        if (content != nullptr) {
            std::ofstream(bundle / "fonts.conf") << content;
        }
        FontLibrary fonts(bundle);
        // Without aliases the platform's names still find some face, under the one line said.
        ASSERT_TRUE(fonts.face("Avenir Next").has_value());
        ASSERT_TRUE(fonts.face("HelveticaNeue-UltraLight").has_value());
        const auto lines = errorLines();
        ASSERT_EQ(lines.size(), 1U) << err.str();
        EXPECT_NE(lines[0].find(said), std::string::npos) << lines[0];
    }
}

TEST_F(FontLibraryTest, FontsOpenAtTheAskedPixelSize) {
    FontLibrary fonts(bundle);
    TTF_Font* font = fonts.font("Avenir Next", 40);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(fonts.font("Avenir Next", 40), font);
    EXPECT_NEAR(TTF_FontHeight(font), 48, 8);
}

}  // namespace
}  // namespace rovuzu
