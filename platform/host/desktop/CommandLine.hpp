#pragma once

#include <variant>

#include "platform/host/core/Options.hpp"

namespace rovuzu {

// The desktop program's command line, read with CLI11.
class CommandLine {
  public:
    // The options, or the exit status when the program should end now: 0 after --help or
    // --version, 2 after a bad command line (the problem is on stderr).
    static std::variant<Options, int> parse(int argc, const char* const* argv);
};

}  // namespace rovuzu
