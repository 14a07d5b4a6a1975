#include "app/AppDelegate.hpp"

#include "platform/foundation/ClassRegistry.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIApplicationDelegate, AppDelegate)

}  // namespace rovuzu
