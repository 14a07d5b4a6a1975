#include "platform/foundation/VirtualClock.hpp"

namespace rovuzu {

void VirtualClock::advanceTo(double time) {
    if (time > now_) {
        now_ = time;
    }
}

}  // namespace rovuzu
