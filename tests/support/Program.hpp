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
// sound server, with `environment` (shell assignments) added, and collects its exit status and
// both outputs. By default SDL's dummy sound card stands in.
ProgramRun runProgram(const std::string& arguments, const std::filesystem::path& folder,
                      const std::string& environment = "SDL_AUDIODRIVER=dummy");

std::string readFile(const std::filesystem::path& file);

}  // namespace rovuzu
