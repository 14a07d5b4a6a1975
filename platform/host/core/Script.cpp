#include "platform/host/core/Script.hpp"

#include <array>
#include <charconv>
#include <fstream>
#include <sstream>
#include <utility>

#include "platform/foundation/NumberText.hpp"

namespace rovuzu {

namespace {

using Verb = InputEvent::Verb;

struct VerbInfo {
    std::string_view name;
    Verb verb;
    std::size_t minValues;
    std::size_t maxValues;
    std::string_view usage;
};

constexpr std::size_t kMany = 1024;  // taps: as many fingers as a line can hold, in pairs
// As --view allows: a larger view asks the offscreen canvas for gigabytes of pixels.
constexpr double kLargestView = 16384.0;
// An hour's recorded session is about 10 MB.
constexpr std::size_t kLargestFileBytes = std::size_t{64} * 1024 * 1024;
constexpr std::size_t kReadPiece = std::size_t{64} * 1024;
constexpr std::array<VerbInfo, 9> kVerbs{{
    {"tap", Verb::tap, 2, 2, "tap X Y"},
    {"taps", Verb::taps, 2, kMany, "taps X1 Y1 X2 Y2 ..."},
    {"look", Verb::look, 2, 3, "look YAW PITCH [ROLL]"},
    {"move", Verb::move, 3, 3, "move X Y Z"},
    {"resize", Verb::resize, 2, 2, "resize WIDTH HEIGHT"},
    {"hide", Verb::hide, 0, 0, "hide"},
    {"show", Verb::show, 0, 0, "show"},
    {"screenshot", Verb::screenshot, 0, 0, "screenshot FILE"},
    {"quit", Verb::quit, 0, 0, "quit"},
}};

const VerbInfo* findVerb(std::string_view name) {
    for (const VerbInfo& info : kVerbs) {
        if (info.name == name) {
            return &info;
        }
    }
    return nullptr;
}

const VerbInfo& infoOf(Verb verb) {
    for (const VerbInfo& info : kVerbs) {
        if (info.verb == verb) {
            return info;
        }
    }
    return kVerbs.back();
}

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> result;
    std::size_t at = 0;
    while (at < line.size()) {
        const auto start = line.find_first_not_of(" \t\r", at);
        if (start == std::string_view::npos) {
            break;
        }
        const auto end = line.find_first_of(" \t\r", start);
        result.push_back(line.substr(start, end - start));
        at = end == std::string_view::npos ? line.size() : end;
    }
    return result;
}

// "# seed 42" records the run's seed.
std::optional<std::uint32_t> seedIn(std::string_view comment) {
    const auto parts = words(comment);
    std::uint32_t seed = 0;
    if (parts.size() != 2 || parts[0] != "seed") {
        return std::nullopt;
    }
    const auto [end, error] =
        std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), seed);
    if (error != std::errc{} || end != parts[1].data() + parts[1].size()) {
        return std::nullopt;
    }
    return seed;
}

// Checks the arguments of a verb and fills the event; returns the problem, if any.
std::string readArguments(const VerbInfo& info, const std::vector<std::string_view>& parts,
                          InputEvent& event) {
    const std::size_t count = parts.size() - 2;
    if (info.verb == Verb::screenshot) {
        if (count != 1) {
            return "expected '" + std::string(info.usage) + "'";
        }
        event.file = std::string(parts[2]);
        return {};
    }
    const bool pairs = info.verb == Verb::taps;
    if (count < info.minValues || count > info.maxValues || (pairs && count % 2 != 0)) {
        return "expected '" + std::string(info.usage) + "'";
    }
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const auto value = readDouble(parts[i]);
        if (!value) {
            return "'" + std::string(parts[i]) + "' is not a number";
        }
        event.values.push_back(*value);
    }
    if (info.verb == Verb::resize && (event.values[0] < 1.0 || event.values[1] < 1.0)) {
        return "a view needs a width and height of at least one point";
    }
    if (info.verb == Verb::resize &&
        (event.values[0] > kLargestView || event.values[1] > kLargestView)) {
        return "a view is at most 16384 points a side";
    }
    return {};
}

}  // namespace

std::optional<Script> Script::parse(std::string_view text, std::string& problem) {
    Script script;
    std::istringstream in{std::string(text)};
    int lineNumber = 0;
    double lastTime = 0.0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        const auto fail = [&](const std::string& what) {
            problem = "line " + std::to_string(lineNumber) + ": " + what;
            return std::nullopt;
        };
        const auto hash = line.find('#');
        if (hash != std::string::npos) {
            if (const auto seed = seedIn(std::string_view(line).substr(hash + 1))) {
                script.seed_ = seed;
            }
            line.resize(hash);
        }
        const auto parts = words(line);
        if (parts.empty()) {
            continue;
        }
        const auto time = readDouble(parts[0]);
        if (!time || *time < 0.0) {
            return fail("'" + std::string(parts[0]) + "' is not a time in seconds");
        }
        if (*time < lastTime) {
            return fail("time " + std::string(parts[0]) + " is earlier than the line before");
        }
        if (parts.size() < 2) {
            return fail("a verb must follow the time");
        }
        const VerbInfo* info = findVerb(parts[1]);
        if (info == nullptr) {
            return fail("unknown verb '" + std::string(parts[1]) + "'");
        }
        InputEvent event{*time, info->verb, {}, {}};
        if (const std::string wrong = readArguments(*info, parts, event); !wrong.empty()) {
            return fail(wrong);
        }
        lastTime = *time;
        script.events_.push_back(std::move(event));
    }
    return script;
}

std::optional<Script> Script::load(const std::filesystem::path& file, std::string& problem) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        problem = file.string() + ": cannot be read";
        return std::nullopt;
    }
    // Read in pieces, and no further than the limit: a device such as /dev/zero never ends.
    std::string text;
    std::array<char, kReadPiece> piece{};
    while (text.size() <= kLargestFileBytes && in.read(piece.data(), piece.size()).gcount() > 0) {
        text.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    }
    if (text.size() > kLargestFileBytes) {
        problem = file.string() + ": is larger than " +
                  std::to_string(kLargestFileBytes / (std::size_t{1024} * 1024)) +
                  " MB; not a script";
        return std::nullopt;
    }
    auto script = parse(text, problem);
    if (!script) {
        problem = file.string() + ":" + problem.substr(std::string_view("line ").size());
    }
    return script;
}

std::string Script::format(const InputEvent& event) {
    std::string line = describeDouble(event.time) + " " + std::string(infoOf(event.verb).name);
    for (const double value : event.values) {
        line += " " + describeDouble(value);
    }
    if (!event.file.empty()) {
        line += " " + event.file;
    }
    return line;
}

std::string Script::seedComment(std::uint32_t seed) {
    return "# seed " + std::to_string(seed);
}

}  // namespace rovuzu
