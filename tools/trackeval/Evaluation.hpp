#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/world/tracking/RotationTracker.hpp"
#include "platform/world/tracking/YawPitchRoll.hpp"
#include "tools/trackeval/Sequence.hpp"

namespace rovuzu {

// How a tracker followed one sequence, against the truth measured from its first frame.
struct Evaluation {
    struct Frame {
        double time = 0.0;
        YawPitchRoll truth;
        YawPitchRoll estimate;
        double errorDegrees = 0.0;
        TrackingState state = TrackingState::Lost;
        int features = 0;
        double milliseconds = 0.0;
    };

    std::string name;
    std::vector<Frame> frames;
    double meanErrorDegrees = 0.0;
    double maxErrorDegrees = 0.0;
    // Over the frames reported as tracking: lost frames hold a stale orientation by design.
    double maxTrackingErrorDegrees = 0.0;
    // The slope of the error over time, fitted by least squares.
    double driftDegreesPerMinute = 0.0;
    double lostShare = 0.0;
    double medianMilliseconds = 0.0;
    double p99Milliseconds = 0.0;
    // False when a picture could not be had; the figures cover the frames before it.
    bool complete = true;
};

// Runs a fresh tracker over the sequence, timing each frame on the calling thread.
[[nodiscard]] Evaluation evaluate(Sequence& sequence);

// One line per frame: time, true and estimated angles in degrees, error, state, corners, ms.
void writeFrames(const Evaluation& evaluation, std::ostream& out);

}  // namespace rovuzu
