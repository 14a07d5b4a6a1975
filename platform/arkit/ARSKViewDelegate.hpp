#pragma once

#include <memory>

#include "platform/arkit/ARSessionObserver.hpp"

namespace rovuzu {

class ARAnchor;
class ARSKView;
class SKNode;

// Supplies the node that shows each anchor, and hears about the view's session.
class ARSKViewDelegate : public ARSessionObserver {
  public:
    // The node for a new anchor, or null for none. (The platform's view:nodeForAnchor:; named
    // so that it does not hide a view controller's own view().)
    virtual std::shared_ptr<SKNode> viewNodeForAnchor(ARSKView& /*view*/,
                                                      const ARAnchor& /*anchor*/) {
        return nullptr;
    }
};

}  // namespace rovuzu
