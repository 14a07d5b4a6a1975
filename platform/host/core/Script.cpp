#include "platform/host/core/Script.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <utility>
#include <variant>

#include "platform/foundation/NumberText.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {

namespace {

enum class Verb { tap, taps, look, orient, move, resize, hide, show, screenshot, quit };

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
// A rotation is written to the full precision of its numbers; this much off unit length is
// a quaternion typed by hand or cut short, not a rotation.
constexpr double kUnitTolerance = 1e-6;
// An hour's recorded session is about 10 MB.
constexpr std::size_t kLargestFileBytes = std::size_t{64} * 1024 * 1024;
constexpr std::size_t kReadPiece = std::size_t{64} * 1024;
constexpr std::array<VerbInfo, 10> kVerbs{{
    {"tap", Verb::tap, 2, 2, "tap X Y"},
    {"taps", Verb::taps, 2, kMany, "taps X1 Y1 X2 Y2 ..."},
    {"look", Verb::look, 2, 3, "look YAW PITCH [ROLL]"},
    {"orient", Verb::orient, 4, 4, "orient X Y Z W"},
    {"move", Verb::move, 3, 3, "move X Y Z"},
    {"resize", Verb::resize, 2, 2, "resize WIDTH HEIGHT"},
    {"hide", Verb::hide, 0, 0, "hide"},
    {"show", Verb::show, 0, 0, "show"},
    {"screenshot", Verb::screenshot, 1, 1, "screenshot FILE"},
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

using Reading = std::variant<Input, std::string>;  // the input, or what is wrong

Reading sized(const std::vector<double>& v) {
    if (v[0] < 1.0 || v[1] < 1.0) {
        return std::string("a view needs a width and height of at least one point");
    }
    if (v[0] > kLargestView || v[1] > kLargestView) {
        return std::string("a view is at most 16384 points a side");
    }
    return input::Resize{{v[0], v[1]}};
}

Reading oriented(const std::vector<double>& v) {
    const glm::dquat rotation{v[3], v[0], v[1], v[2]};
    if (std::abs(glm::length(rotation) - 1.0) > kUnitTolerance) {
        return std::string("an orientation is a unit quaternion X Y Z W");
    }
    return input::Look{rotation};
}

input::Touches touches(const std::vector<double>& v) {
    input::Touches touches;
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) {
        touches.points.push_back({v[i], v[i + 1]});
    }
    return touches;
}

// The input a verb's numbers make.
Reading inputOf(Verb verb, const std::vector<double>& v) {
    switch (verb) {
        case Verb::tap:
        case Verb::taps:
            return touches(v);
        case Verb::look:
            return input::Look{
                DevicePose::rotationFromAngles(v[0], v[1], v.size() > 2 ? v[2] : 0.0)};
        case Verb::orient:
            return oriented(v);
        case Verb::move:
            return input::Move{{v[0], v[1], v[2]}};
        case Verb::resize:
            return sized(v);
        case Verb::hide:
            return input::Hide{};
        case Verb::show:
            return input::Show{};
        case Verb::screenshot:
        case Verb::quit:
            break;
    }
    return input::Quit{};
}

// Checks the arguments of a verb and makes its input.
Reading readArguments(const VerbInfo& info, const std::vector<std::string_view>& parts) {
    const std::size_t count = parts.size() - 2;
    const bool pairs = info.verb == Verb::taps;
    if (count < info.minValues || count > info.maxValues || (pairs && count % 2 != 0)) {
        return "expected '" + std::string(info.usage) + "'";
    }
    if (info.verb == Verb::screenshot) {
        return input::Screenshot{std::string(parts[2])};
    }
    // The line's numbers, which become the verb's typed input at once.
    std::vector<double> read;
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const auto value = readDouble(parts[i]);
        if (!value) {
            return "'" + std::string(parts[i]) + "' is not a number";
        }
        read.push_back(*value);
    }
    return inputOf(info.verb, read);
}

std::string numbers(std::initializer_list<double> values) {
    std::string text;
    for (const double value : values) {
        text += " " + describeDouble(value);
    }
    return text;
}

// The verb and arguments that replay an input.
struct Formatter {
    std::optional<std::string> operator()(const input::Touches& touches) const {
        std::string line = touches.points.size() == 1 ? "tap" : "taps";
        for (const CGPoint point : touches.points) {
            line += numbers({point.x, point.y});
        }
        return line;
    }
    std::optional<std::string> operator()(const input::Look& look) const {
        const glm::dquat& q = look.rotation;
        return "orient" + numbers({q.x, q.y, q.z, q.w});
    }
    std::optional<std::string> operator()(const input::Move& move) const {
        return "move" + numbers({move.position.x, move.position.y, move.position.z});
    }
    std::optional<std::string> operator()(const input::Resize& resize) const {
        return "resize" + numbers({resize.size.width, resize.size.height});
    }
    std::optional<std::string> operator()(const input::Hide& /*hide*/) const { return "hide"; }
    std::optional<std::string> operator()(const input::Show& /*show*/) const { return "show"; }
    std::optional<std::string> operator()(const input::Screenshot& shot) const {
        return "screenshot " + shot.file;
    }
    std::optional<std::string> operator()(const input::Quit& /*quit*/) const { return "quit"; }
    std::optional<std::string> operator()(const input::Lifecycle& /*change*/) const {
        return std::nullopt;
    }
};

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
        auto read = readArguments(*info, parts);
        if (const auto* wrong = std::get_if<std::string>(&read)) {
            return fail(*wrong);
        }
        lastTime = *time;
        script.events_.push_back({*time, std::move(std::get<Input>(read))});
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

std::optional<std::string> Script::format(const TimedInput& event) {
    const auto line = std::visit(Formatter{}, event.input);
    if (!line) {
        return std::nullopt;
    }
    return describeDouble(event.time) + " " + *line;
}

std::string Script::seedComment(std::uint32_t seed) {
    return "# seed " + std::to_string(seed);
}

}  // namespace rovuzu
