// Resource lookup: the input is a name and an extension, split at the first zero byte. Whatever
// they are, a location the bundle returns is a regular file inside the bundle's folder, found
// there by its name — never a folder, never a way out through "..", a separator or a link.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "platform/foundation/NSBundle.hpp"
#include "tests/fuzz/FuzzBundle.hpp"
#include "tests/fuzz/Require.hpp"

namespace rovuzu {
namespace {

// A bundle with files, a folder, a file inside the folder, and links pointing out of it and
// back in; and, next to it, a file and a folder that no name may reach.
struct Harness {
    Harness() {
        const auto& root = bundle.root();
        outside = root.parent_path() / (root.filename().string() + "-outside");
        std::filesystem::create_directories(outside / "folder");
        std::ofstream(outside / "secret.txt") << "secret";
        std::ofstream(outside / "folder" / "inner.txt") << "secret";
        for (const char* file : {"Scene.sks", "Info.json", "README", "a.b.c", "...", " .txt"}) {
            std::ofstream(root / file) << "x";
        }
        std::filesystem::create_directories(root / "sub");
        std::filesystem::create_directories(root / "folder.png");
        std::ofstream(root / "sub" / "inner.txt") << "x";
        std::filesystem::create_symlink(outside / "secret.txt", root / "link.txt");
        std::filesystem::create_symlink(outside / "folder", root / "away");
        std::filesystem::create_symlink(root / "README", root / "readme.txt");
        realRoot = std::filesystem::canonical(root);
    }
    ~Harness() { std::filesystem::remove_all(outside); }
    Harness(const Harness&) = delete;
    Harness& operator=(const Harness&) = delete;

    FuzzBundle bundle{"resource-name"};
    std::filesystem::path outside;
    std::filesystem::path realRoot;
};

Harness& harness() {
    static Harness instance;
    return instance;
}

bool isInside(const std::filesystem::path& root, const std::filesystem::path& file) {
    const auto [rootEnd, fileAt] =
        std::mismatch(root.begin(), root.end(), file.begin(), file.end());
    return rootEnd == root.end() && fileAt != file.end();
}

}  // namespace
}  // namespace rovuzu

extern "C" int LLVMFuzzerInitialize(int* /*argc*/, char*** /*argv*/) {
    rovuzu::harness();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using rovuzu::require;
    const auto& state = rovuzu::harness();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto split = input.find('\0');
    const std::string_view name = input.substr(0, split);
    const std::string_view extension =
        split == std::string_view::npos ? std::string_view{} : input.substr(split + 1);
    const auto url = rovuzu::NSBundle::mainBundle().URLForResource(name, extension);
    if (!url) {
        return 0;
    }
    std::error_code error;
    require(std::filesystem::is_regular_file(*url, error), "a found resource is a regular file");
    require(url->parent_path() == state.bundle.root(),
            "a found resource sits in the bundle's folder");
    const auto real = std::filesystem::canonical(*url, error);
    require(!error && rovuzu::isInside(state.realRoot, real),
            "a found resource is inside the bundle once links are followed");
    return 0;
}
