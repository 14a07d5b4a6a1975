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
        out_ << Script::format(
                    {0.0, InputEvent::Verb::resize, {viewSize.width, viewSize.height}, {}})
             << "\n";
    }
}

void Recorder::record(const InputEvent& event) {
    if (out_.is_open()) {
        out_ << Script::format(event) << '\n';
        out_.flush();
    }
}

}  // namespace rovuzu
