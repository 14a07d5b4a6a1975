#include <fstream>

#include "platform/host/FontLibrary.hpp"
#include "tests/render/RenderFixture.hpp"

namespace rovuzu {
namespace {

using FontLibraryTest = RenderTest;

TEST_F(FontLibraryTest, AvenirNextIsLato) {
    FontLibrary fonts(bundle);
    const auto& face = fonts.face("Avenir Next");
    ASSERT_TRUE(face.has_value());
    EXPECT_EQ(face->family, "Lato");
    EXPECT_NE(face->file.find("Lato-Regular"), std::string::npos) << face->file;
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

TEST_F(FontLibraryTest, TheDefaultLabelFontIsLatoLight) {
    FontLibrary fonts(bundle);
    const auto& face = fonts.face("HelveticaNeue-UltraLight");
    ASSERT_TRUE(face.has_value());
    EXPECT_NE(face->file.find("Lato-Light"), std::string::npos) << face->file;
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(FontLibraryTest, BoldWeightsMapToBoldLato) {
    FontLibrary fonts(bundle);
    const auto& face = fonts.face("AvenirNext-Bold");
    ASSERT_TRUE(face.has_value());
    EXPECT_NE(face->file.find("Lato-Bold"), std::string::npos) << face->file;
    EXPECT_TRUE(errorLines().empty()) << err.str();
}

TEST_F(FontLibraryTest, AnInstalledFamilyNeedsNoAlias) {
    FontLibrary fonts(bundle);
    ASSERT_TRUE(fonts.face("DejaVu Sans").has_value());
    ASSERT_TRUE(fonts.face("Lato Medium").has_value());
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

TEST_F(FontLibraryTest, WithoutTheAliasFileOneLineCoversThePlatformFontsMisses) {
    std::filesystem::remove(bundle / "fonts.conf");
    FontLibrary fonts(bundle);
    const auto& face = fonts.face("Avenir Next");
    ASSERT_TRUE(face.has_value());
    ASSERT_TRUE(fonts.face("HelveticaNeue-UltraLight").has_value());
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find("fonts.conf: not found"), std::string::npos) << lines[0];
}

TEST_F(FontLibraryTest, ABrokenAliasFileIsSaidOnce) {
    std::ofstream(bundle / "fonts.conf", std::ios::trunc) << "<fontconfig><alias>";
    FontLibrary fonts(bundle);
    const auto lines = errorLines();
    ASSERT_EQ(lines.size(), 1U);
    EXPECT_NE(lines[0].find("fonts.conf: not a valid fontconfig file (line 1:"), std::string::npos)
        << lines[0];
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
