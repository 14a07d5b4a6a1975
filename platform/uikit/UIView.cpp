#include "platform/uikit/UIView.hpp"

#include "platform/foundation/ClassRegistry.hpp"

namespace rovuzu {

ROVUZU_REGISTER_CLASS(UIView, UIView)

}  // namespace rovuzu
