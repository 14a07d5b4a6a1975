#include "tools/soak/LineCounter.hpp"

#include <algorithm>

namespace rovuzu {

LineCounter::int_type LineCounter::overflow(int_type c) {
    if (traits_type::eq_int_type(c, traits_type::to_int_type('\n'))) {
        ++lines_;
    }
    return traits_type::not_eof(c);
}

std::streamsize LineCounter::xsputn(const char* text, std::streamsize count) {
    lines_ += std::count(text, text + count, '\n');
    return count;
}

}  // namespace rovuzu
