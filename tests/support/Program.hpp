#pragma once

#include <filesystem>
#include <string>

namespace rovuzu {

// The built program, run as a player would run it.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the rovuzu binary with `arguments` (shell words) in `folder`, without a display or a
// sound card, and collects its exit status and both outputs.
ProgramRun runProgram(const std::string& arguments, const std::filesystem::path& folder);

std::string readFile(const std::filesystem::path& file);

}  // namespace rovuzu
