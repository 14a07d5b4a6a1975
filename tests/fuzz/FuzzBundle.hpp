#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <initializer_list>
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

    // Copies the named files from the game's own resource folder, once, at start-up.
    void copyResources(std::initializer_list<const char*> fileNames) const;
    // Replaces a file in the bundle with the fuzzer's bytes.
    void write(std::string_view fileName, const std::uint8_t* data, std::size_t size) const;

    [[nodiscard]] const std::filesystem::path& root() const { return root_; }

  private:
    std::filesystem::path root_;
};

}  // namespace rovuzu
