#pragma once

namespace rovuzu {

// Tracking of the device's position and orientation in the world. Our sessions track the
// pose the host feeds them, so the configuration has no settings of its own.
class ARWorldTrackingConfiguration {};

// What running a session again should also do. The game asks for neither.
enum class ARSessionRunOptions : unsigned {
    none = 0,
    resetTracking = 1U << 0U,
    removeExistingAnchors = 1U << 1U,
};

}  // namespace rovuzu
