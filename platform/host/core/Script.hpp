#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/core/InputEvent.hpp"

namespace rovuzu {

// Timed input, one event a line: `<seconds-from-launch> <verb> <args>`; `#` starts a comment
// and times never decrease. Verbs: tap X Y; taps X1 Y1 X2 Y2 ...; look YAW PITCH [ROLL];
// move X Y Z; resize W H; hide; show; screenshot FILE; quit. A comment line `# seed N` records
// the random seed of the run, so a recorded session replays without further flags.
class Script {
  public:
    // Parses a whole script; on the first bad line returns nothing and sets `problem` to
    // "line N: what is wrong".
    static std::optional<Script> parse(std::string_view text, std::string& problem);
    // Reads and parses a file; the problem names the file.
    static std::optional<Script> load(const std::filesystem::path& file, std::string& problem);

    // The line that replays one event; its numbers read back to the same values.
    static std::string format(const InputEvent& event);
    static std::string seedComment(std::uint32_t seed);

    [[nodiscard]] const std::vector<InputEvent>& events() const { return events_; }
    [[nodiscard]] std::optional<std::uint32_t> seed() const { return seed_; }

  private:
    std::vector<InputEvent> events_;
    std::optional<std::uint32_t> seed_;
};

}  // namespace rovuzu
