#include "tests/fuzz/FuzzBundle.hpp"

#include <unistd.h>

#include <fstream>
#include <string>

#include "platform/foundation/NSBundle.hpp"

namespace rovuzu {

namespace {

// Every run rewrites a file. On a disk mounted with discard, truncating costs milliseconds, so
// memory-backed /dev/shm is preferred: it makes the targets fifty times faster.
std::filesystem::path scratchFolder() {
    std::error_code error;
    const std::filesystem::path memory{"/dev/shm"};
    return std::filesystem::is_directory(memory, error) ? memory
                                                        : std::filesystem::temp_directory_path();
}

}  // namespace

FuzzBundle::FuzzBundle(std::string_view purpose)
    : root_(scratchFolder() /
            ("rovuzu-fuzz-" + std::string(purpose) + "-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_);
    NSBundle::setMainBundlePath(root_);
}

FuzzBundle::~FuzzBundle() {
    NSBundle::setMainBundlePath({});
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

void FuzzBundle::copyGameResources() const {
    const std::filesystem::path resources{ROVUZU_SOURCE_RESOURCES};
    for (const char* fileName :
         {"Info.json", "Main.storyboard", "Scene.sks", "rovuzu1.png", "rovuzu2.png", "rovuzu3.png",
          "rovuzu4.png", "gameover.png", "QuickDeath.wav"}) {
        std::filesystem::copy_file(resources / fileName, root_ / fileName,
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

void FuzzBundle::write(std::string_view fileName, const std::uint8_t* data,
                       std::size_t size) const {
    std::ofstream out(root_ / fileName, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace rovuzu
