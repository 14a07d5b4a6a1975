#include <gtest/gtest.h>

#include <sstream>

#include "platform/foundation/Console.hpp"

namespace rovuzu {
namespace {

// Found by fuzz_app_config: a name quoted from a file broke a diagnostic over two lines.
TEST(DiagnosticLineTest, AQuotedLineBreakOrControlCharacterStaysOnTheOneLine) {
    std::ostringstream out;
    std::ostringstream err;
    Console::redirect(&out, &err);
    diagnose("'Ma\nin' is\r not\x1b[2J known\x7f\t");
    diagnose("caf\xc3\xa9 stays as it is");
    Console::redirect(nullptr, nullptr);
    EXPECT_EQ(err.str(),
              "rovuzu: 'Ma\\nin' is\\r not\\x1b[2J known\\x7f\\x09\n"
              "rovuzu: caf\xc3\xa9 stays as it is\n");
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace rovuzu
