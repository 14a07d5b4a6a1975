#pragma once

#include <string>

namespace rovuzu {

// What went wrong, for a delegate to read.
struct NSError {
    std::string domain;
    int code = 0;
    std::string localizedDescription;
};

}  // namespace rovuzu
