#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace rovuzu {

// A scratch main bundle for one fuzzing process: a folder of its own under the temporary
// directory, made the main bundle for as long as the object lives, and removed afterwards.
class FuzzBundle {
  public:
    explicit FuzzBundle(std::string_view purpose);
    FuzzBundle(const FuzzBundle&) = delete;
    FuzzBundle& operator=(const FuzzBundle&) = delete;
    ~FuzzBundle();

    // Copies what a launch of the game reads (configuration, interface, scene, pictures, the
    // hit sound) from its own resource folder, once, at start-up.
    void copyGameResources() const;
    // Replaces a file in the bundle with the fuzzer's bytes.
    void write(std::string_view fileName, const std::uint8_t* data, std::size_t size) const;

    [[nodiscard]] const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

}  // namespace rovuzu
