#pragma once

#include <iosfwd>
#include <string_view>

namespace rovuzu {

// The program's two text outputs. Standard output carries only the game's own lines, so that
// scripts can read it; every diagnostic goes to standard error as one line that starts with
// "rovuzu: ". Tests redirect both.
class Console {
  public:
    // Writes the line and a line feed to standard output.
    static void print(std::string_view line);
    // Writes "rovuzu: " and the message as one line to standard error.
    static void diagnose(std::string_view message);

    // Sends output to other streams; nullptr restores the standard ones.
    static void redirect(std::ostream* out, std::ostream* err);
};

inline void print(std::string_view line) {
    Console::print(line);
}
inline void diagnose(std::string_view message) {
    Console::diagnose(message);
}

}  // namespace rovuzu
