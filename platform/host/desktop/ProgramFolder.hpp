#pragma once

#include <filesystem>

namespace rovuzu {

// Where the running program's own files are: the folder of its binary, from which an installed
// program finds its resources and its camera module.
class ProgramFolder {
  public:
    // Empty when the system cannot say.
    static std::filesystem::path executable();
};

}  // namespace rovuzu
