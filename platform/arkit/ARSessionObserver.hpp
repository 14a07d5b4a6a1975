#pragma once

#include "platform/foundation/NSError.hpp"

namespace rovuzu {

class ARSession;

// What a session tells its observer. Every operation does nothing unless overridden.
class ARSessionObserver {
  public:
    ARSessionObserver() = default;
    ARSessionObserver(const ARSessionObserver&) = delete;
    ARSessionObserver& operator=(const ARSessionObserver&) = delete;
    virtual ~ARSessionObserver() = default;

    virtual void session(ARSession& /*session*/, const NSError& /*error*/) {}
    virtual void sessionWasInterrupted(ARSession& /*session*/) {}
    virtual void sessionInterruptionEnded(ARSession& /*session*/) {}
};

}  // namespace rovuzu
