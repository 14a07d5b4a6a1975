#include <filesystem>
#include <fstream>

#include "platform/foundation/NSBundle.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

using NSBundleTest = PlatformTest;

TEST_F(NSBundleTest, FindsRegularFilesByNameAndExtension) {
    addFile("rovuzu.mp3");
    addFile("README");
    std::filesystem::create_directory(bundle / "folder.png");
    const NSBundle& main = NSBundle::mainBundle();
    EXPECT_EQ(main.URLForResource("rovuzu", "mp3"), bundle / "rovuzu.mp3");
    EXPECT_EQ(main.URLForResource("README", ""), bundle / "README");
    EXPECT_FALSE(main.URLForResource("rovuzu", "wav"));
    EXPECT_FALSE(main.URLForResource("folder", "png"));
}

TEST_F(NSBundleTest, NoNameReachesOutsideTheFolder) {
    const auto outside = bundle.parent_path() / "rovuzu-outside-secret.txt";
    std::ofstream(outside) << "secret";
    std::filesystem::create_directory(bundle / "sub");
    addFile("sub/inner.txt");
    std::filesystem::create_symlink(outside, bundle / "link.txt");
    const NSBundle& main = NSBundle::mainBundle();
    for (const char* name :
         {"../rovuzu-outside-secret", "sub/inner", "/etc/passwd", "", ".", "..", "a\nb", "link"}) {
        EXPECT_FALSE(main.URLForResource(name, "txt")) << name;
    }
    EXPECT_FALSE(main.URLForResource("rovuzu-outside-secret", "/../txt"));
    EXPECT_FALSE(main.URLForResource("x", "txt/.."));
    std::filesystem::remove(outside);
}

TEST(NSBundleWithoutFolder, FindsNothing) {
    EXPECT_FALSE(NSBundle{std::filesystem::path{}}.URLForResource("Scene", "sks"));
    EXPECT_FALSE(NSBundle{"/nonexistent/rovuzu"}.URLForResource("Scene", "sks"));
}

}  // namespace
}  // namespace rovuzu
