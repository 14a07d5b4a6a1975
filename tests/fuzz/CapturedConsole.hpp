#pragma once

#include <cstddef>
#include <ostream>
#include <sstream>
#include <string>

namespace rovuzu {

// Takes the program's two outputs for as long as it lives: standard output is thrown away,
// which keeps each run cheap, and diagnostics are kept so that a target can check that every
// refusal says why on exactly one line.
class CapturedConsole {
  public:
    CapturedConsole();
    CapturedConsole(const CapturedConsole&) = delete;
    CapturedConsole& operator=(const CapturedConsole&) = delete;
    ~CapturedConsole();

    void clear();
    [[nodiscard]] std::string diagnostics() const { return err_.str(); }
    [[nodiscard]] std::size_t diagnosticLines() const;
    // Whether every diagnostic line is one of ours, "rovuzu: " and a message naming `file`.
    [[nodiscard]] bool eachDiagnosticNames(const std::string& file) const;

  private:
    std::ostream out_{nullptr};
    std::ostringstream err_;
};

}  // namespace rovuzu
