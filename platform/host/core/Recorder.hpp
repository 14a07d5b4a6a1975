#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "platform/foundation/CGGeometry.hpp"
#include "platform/host/core/Input.hpp"

namespace rovuzu {

// Writes a session's input as a script that replays it: the seed and the view size first,
// then every input as it is applied, with the time it was applied at.
class Recorder {
  public:
    // Opens the file; when it cannot, says so once and records nothing.
    Recorder(const std::filesystem::path& file, std::uint32_t seed, CGSize viewSize);

    void record(const TimedInput& event);

  private:
    std::filesystem::path file_;
    std::ofstream out_;
};

}  // namespace rovuzu
