#pragma once

#include <cstdint>
#include <string>

#include "platform/host/core/Frame.hpp"

namespace rovuzu {

class SKScene;
class SKView;

// Works out the frame a view shows from its scene graph, for any backend to paint: the camera
// picture behind an AR view, then the scene's nodes back to front, each placed in target
// pixels, then the read-outs.
class FrameLayout {
  public:
    // What the host has to show behind an AR view.
    struct Surroundings {
        // The camera's newest picture; 0 for none, when the built-in world shows.
        std::uint64_t cameraPicture = 0;
        // The platform shows the camera's picture under the view itself.
        bool passthrough = false;
        // Whether the world may be shown yet: a window shows black until its textures are
        // painted, as a phone does until its camera starts.
        bool worldShown = true;
        // Whether the world may be drawn coarser while the camera moves.
        bool quickWhileMoving = false;
        // A notice over everything, such as lost tracking; empty for none.
        std::string notice;
    };

    // The frame of `view` at `pixelsPerPoint` target pixels per view point; `previous`, the
    // frame drawn before, when there was one, tells whether the camera moves.
    static Frame of(const SKView& view, double pixelsPerPoint, const Surroundings& surroundings,
                    const Frame* previous);

  private:
    static Frame::Backdrop backdrop(const SKView& view, const Surroundings& surroundings);
    static void addScene(const SKScene& scene, const SKView& view, Frame& frame);
};

}  // namespace rovuzu
