#include "platform/foundation/Clock.hpp"

#include "platform/foundation/RealClock.hpp"

namespace rovuzu {

namespace {
Clock* installedClock = nullptr;
}  // namespace

Clock& Clock::current() {
    static RealClock realClock;
    return installedClock != nullptr ? *installedClock : realClock;
}

void Clock::install(Clock* clock) {
    installedClock = clock;
}

}  // namespace rovuzu
