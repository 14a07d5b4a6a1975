#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host/core/Input.hpp"

namespace rovuzu {

// Timed input, one event a line: `<seconds-from-launch> <verb> <args>`; `#` starts a comment
// and times never decrease. Verbs: tap X Y; taps X1 Y1 X2 Y2 ...; look YAW PITCH [ROLL];
// orient X Y Z W (the rotation as a unit quaternion, as recordings write it); move X Y Z;
// resize W H; hide; show; screenshot FILE; quit. A comment line `# seed N` records the random
// seed of the run, so a recorded session replays without further flags.
class Script {
  public:
    Script() = default;
    explicit Script(std::vector<TimedInput> events, std::optional<std::uint32_t> seed = {})
        : events_(std::move(events)), seed_(seed) {}

    // Parses a whole script; on the first bad line returns nothing and sets `problem` to
    // "line N: what is wrong".
    static std::optional<Script> parse(std::string_view text, std::string& problem);
    // Reads and parses a file; the problem names the file.
    static std::optional<Script> load(const std::filesystem::path& file, std::string& problem);

    // The line that replays one input; its numbers read back to the same values. Nothing for
    // an input that is not part of a script (a change of focus).
    static std::optional<std::string> format(const TimedInput& event);
    static std::string seedComment(std::uint32_t seed);

    [[nodiscard]] const std::vector<TimedInput>& events() const { return events_; }
    [[nodiscard]] std::optional<std::uint32_t> seed() const { return seed_; }

  private:
    std::vector<TimedInput> events_;
    std::optional<std::uint32_t> seed_;
};

}  // namespace rovuzu
