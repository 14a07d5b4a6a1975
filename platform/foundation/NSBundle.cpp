#include "platform/foundation/NSBundle.hpp"

#include <algorithm>
#include <string>
#include <system_error>
#include <utility>

namespace rovuzu {

namespace {

NSBundle& mainBundleStorage() {
    static NSBundle bundle{std::filesystem::path{}};
    return bundle;
}

bool isInside(const std::filesystem::path& root, const std::filesystem::path& file) {
    std::error_code error;
    const auto realRoot = std::filesystem::weakly_canonical(root, error);
    if (error) {
        return false;
    }
    const auto realFile = std::filesystem::weakly_canonical(file, error);
    if (error) {
        return false;
    }
    const auto [rootEnd, fileAt] =
        std::mismatch(realRoot.begin(), realRoot.end(), realFile.begin(), realFile.end());
    return rootEnd == realRoot.end();
}

}  // namespace

NSBundle::NSBundle(std::filesystem::path root) : root_(std::move(root)) {}

NSBundle& NSBundle::mainBundle() {
    return mainBundleStorage();
}

void NSBundle::setMainBundlePath(std::filesystem::path root) {
    mainBundleStorage() = NSBundle{std::move(root)};
}

bool NSBundle::isSafeResourceName(std::string_view name) {
    constexpr std::size_t kMaxName = 255;
    if (name.empty() || name.size() > kMaxName || name == "." || name == "..") {
        return false;
    }
    return std::none_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || byte < 0x20 || byte == 0x7f;
    });
}

std::optional<NSURL> NSBundle::URLForResource(std::string_view name,
                                              std::string_view extension) const {
    if (root_.empty() || !isSafeResourceName(name)) {
        return std::nullopt;
    }
    std::string fileName{name};
    if (!extension.empty()) {
        if (!isSafeResourceName(extension)) {
            return std::nullopt;
        }
        fileName.append(".").append(extension);
    }
    if (!isSafeResourceName(fileName)) {
        return std::nullopt;
    }
    NSURL file = root_ / fileName;
    std::error_code error;
    if (!std::filesystem::is_regular_file(file, error) || !isInside(root_, file)) {
        return std::nullopt;
    }
    return file;
}

}  // namespace rovuzu
