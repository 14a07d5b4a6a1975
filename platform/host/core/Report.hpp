#pragma once

#include <filesystem>
#include <string>

namespace rovuzu {

class ARSKView;
class SKView;

// The state of a run as JSON: the time, what the presented scene reports of itself, and the
// AR session's anchors.
class Report {
  public:
    static std::string build(double time, const SKView* view);
    // Writes the report; says so on stderr when the file cannot be written.
    static bool write(const std::filesystem::path& file, const std::string& text);
};

}  // namespace rovuzu
