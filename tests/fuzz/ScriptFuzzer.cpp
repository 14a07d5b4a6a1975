// The script format: any text is accepted or refused with "line N: ..." and nothing else, and
// an accepted script, written back out event by event, reads back to the very same events.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/host/core/Script.hpp"
#include "tests/fuzz/Require.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using rovuzu::require;
    using rovuzu::Script;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string problem;
    const auto script = Script::parse(text, problem);
    if (!script) {
        require(problem.starts_with("line "), "a refusal names the line");
        return 0;
    }
    std::string written;
    for (const rovuzu::TimedInput& event : script->events()) {
        const auto line = Script::format(event);
        require(line.has_value(), "every input a script holds writes back");
        written += line.value_or("") + "\n";
    }
    std::string again;
    const auto reread = Script::parse(written, again);
    require(reread.has_value(), "a written script reads back");
    const auto& before = script->events();
    const auto& after = reread->events();
    require(before.size() == after.size(), "a written script keeps every event");
    for (std::size_t i = 0; i < before.size(); ++i) {
        require(before[i] == after[i], "a written event reads back the same");
    }
    return 0;
}
