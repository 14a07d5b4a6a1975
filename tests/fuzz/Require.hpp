#pragma once

#include <cstdio>
#include <cstdlib>

namespace rovuzu {

// A property of the reader under fuzzing. A broken one aborts, so that libFuzzer keeps the
// input that broke it as a finding.
inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "rovuzu fuzz: property broken: %s\n", property);
        std::abort();
    }
}

}  // namespace rovuzu
