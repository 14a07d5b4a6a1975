#include "platform/foundation/Date.hpp"

#include "platform/foundation/Clock.hpp"

namespace rovuzu {

Date::Date() : seconds_(Clock::current().wallNow()) {}

}  // namespace rovuzu
