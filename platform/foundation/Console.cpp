#include "platform/foundation/Console.hpp"

#include <iostream>

namespace rovuzu {

namespace {

std::ostream* outStream = nullptr;
std::ostream* errStream = nullptr;

// A diagnostic stays one line whatever it quotes: a name read from a file may hold a line
// break or a terminal's control sequence, so control characters are written as escapes.
void writeOneLine(std::ostream& err, std::string_view message) {
    constexpr std::string_view kHex = "0123456789abcdef";
    for (const char c : message) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\n') {
            err << "\\n";
        } else if (c == '\r') {
            err << "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            err << "\\x" << kHex[byte >> 4U] << kHex[byte & 0xfU];
        } else {
            err << c;
        }
    }
}

}  // namespace

void Console::print(std::string_view line) {
    std::ostream& out = outStream != nullptr ? *outStream : std::cout;
    out << line << '\n';
}

void Console::diagnose(std::string_view message) {
    std::ostream& err = errStream != nullptr ? *errStream : std::cerr;
    err << "rovuzu: ";
    writeOneLine(err, message);
    err << std::endl;
}

void Console::redirect(std::ostream* out, std::ostream* err) {
    outStream = out;
    errStream = err;
}

}  // namespace rovuzu
