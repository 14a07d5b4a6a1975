#include "platform/foundation/Console.hpp"

#include <iostream>

namespace rovuzu {

namespace {
std::ostream* outStream = nullptr;
std::ostream* errStream = nullptr;
}  // namespace

void Console::print(std::string_view line) {
    std::ostream& out = outStream != nullptr ? *outStream : std::cout;
    out << line << '\n';
}

void Console::diagnose(std::string_view message) {
    std::ostream& err = errStream != nullptr ? *errStream : std::cerr;
    err << "rovuzu: " << message << std::endl;
}

void Console::redirect(std::ostream* out, std::ostream* err) {
    outStream = out;
    errStream = err;
}

}  // namespace rovuzu
