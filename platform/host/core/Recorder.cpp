#include "platform/host/core/Recorder.hpp"

#include "platform/foundation/Console.hpp"
#include "platform/host/core/Script.hpp"

namespace rovuzu {

Recorder::Recorder(const std::filesystem::path& file, std::uint32_t seed, CGSize viewSize)
    : file_(file), out_(file) {
    if (!out_) {
        diagnose(file.string() + ": cannot be written; the session is not recorded");
        return;
    }
    out_ << "# rovuzu session; replay with: rovuzu --headless --script " << file.filename().string()
         << "\n"
         << Script::seedComment(seed) << "\n";
    if (viewSize != CGSize{375.0, 667.0}) {
        record({0.0, input::Resize{viewSize}});
    }
}

void Recorder::record(const TimedInput& event) {
    const auto line = Script::format(event);
    if (out_.is_open() && line) {
        out_ << *line << '\n';
        out_.flush();
    }
}

}  // namespace rovuzu
