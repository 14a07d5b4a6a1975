#include "tests/fuzz/CapturedConsole.hpp"

#include <algorithm>

#include "platform/foundation/Console.hpp"

namespace rovuzu {

CapturedConsole::CapturedConsole() {
    Console::redirect(&out_, &err_);
}

CapturedConsole::~CapturedConsole() {
    Console::redirect(nullptr, nullptr);
}

void CapturedConsole::clear() {
    err_.str({});
    err_.clear();
}

std::size_t CapturedConsole::diagnosticLines() const {
    const std::string text = err_.str();
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

bool CapturedConsole::eachDiagnosticNames(const std::string& file) const {
    std::istringstream in(err_.str());
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with("rovuzu: ") || line.find(file) == std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace rovuzu
