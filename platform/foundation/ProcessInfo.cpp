#include "platform/foundation/ProcessInfo.hpp"

#include "platform/foundation/Clock.hpp"

namespace rovuzu {

double ProcessInfo::systemUptime() {
    return Clock::current().monotonicNow();
}

}  // namespace rovuzu
