#include "platform/foundation/RealClock.hpp"

#include <chrono>

namespace rovuzu {

double RealClock::monotonicNow() const {
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

double RealClock::wallNow() const {
    const auto since = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration<double>(since).count();
}

}  // namespace rovuzu
