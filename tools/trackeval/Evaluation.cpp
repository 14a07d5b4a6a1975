#include "tools/trackeval/Evaluation.hpp"

#include <algorithm>
#include <cmath>
#include <ctime>
#include <numeric>
#include <ostream>

#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {
namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

// CPU time: the tracker's own cost, whatever else the machine is doing. The tracker runs alone
// in the process while it is timed (OpenCV is held to one thread, filming is over).
double cpuMilliseconds() {
    return 1e3 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    const auto rank =
        static_cast<std::size_t>(std::ceil(share * static_cast<double>(values.size()))) - 1;
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(std::min(rank, values.size() - 1));
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

double slopePerMinute(const std::vector<Evaluation::Frame>& frames) {
    if (frames.size() < 2) {
        return 0.0;
    }
    double meanTime = 0.0;
    double meanError = 0.0;
    for (const auto& frame : frames) {
        meanTime += frame.time;
        meanError += frame.errorDegrees;
    }
    meanTime /= static_cast<double>(frames.size());
    meanError /= static_cast<double>(frames.size());
    double covariance = 0.0;
    double variance = 0.0;
    for (const auto& frame : frames) {
        covariance += (frame.time - meanTime) * (frame.errorDegrees - meanError);
        variance += (frame.time - meanTime) * (frame.time - meanTime);
    }
    return variance > 0.0 ? 60.0 * covariance / variance : 0.0;
}

void summarise(Evaluation& evaluation) {
    std::vector<double> errors;
    std::vector<double> times;
    int lost = 0;
    for (const auto& frame : evaluation.frames) {
        errors.push_back(frame.errorDegrees);
        times.push_back(frame.milliseconds);
        if (frame.state == TrackingState::Lost) {
            ++lost;
        } else {
            evaluation.maxTrackingErrorDegrees =
                std::max(evaluation.maxTrackingErrorDegrees, frame.errorDegrees);
        }
    }
    if (errors.empty()) {
        return;
    }
    const auto count = static_cast<double>(errors.size());
    evaluation.meanErrorDegrees = std::accumulate(errors.begin(), errors.end(), 0.0) / count;
    evaluation.maxErrorDegrees = *std::max_element(errors.begin(), errors.end());
    evaluation.driftDegreesPerMinute = slopePerMinute(evaluation.frames);
    evaluation.lostShare = lost / count;
    evaluation.medianMilliseconds = percentile(times, 0.5);
    evaluation.p99Milliseconds = percentile(times, 0.99);
}

}  // namespace

Evaluation evaluate(Sequence& sequence) {
    Evaluation evaluation;
    evaluation.name = sequence.name();
    RotationTracker tracker(CameraLens{sequence.fieldOfViewDegrees(), std::nullopt});
    const std::vector<GyroReading> gyro = sequence.gyro();
    auto nextReading = gyro.begin();
    CameraFrame picture;
    glm::dmat3 truth(1.0);
    glm::dmat3 origin(1.0);
    for (int i = 0; i < sequence.frameCount(); ++i) {
        if (!sequence.frame(i, picture, truth)) {
            evaluation.complete = false;
            break;
        }
        if (i == 0) {
            origin = truth;
        }
        for (; nextReading != gyro.end() && nextReading->time <= picture.time; ++nextReading) {
            tracker.addGyroSample(nextReading->angularVelocity, nextReading->time);
        }
        const double start = cpuMilliseconds();
        const TrackingState state = tracker.track(picture);
        const double spent = cpuMilliseconds() - start;
        const glm::dmat3 relative = glm::transpose(origin) * truth;
        const glm::dmat3 estimate = glm::mat3_cast(glm::dquat(tracker.orientation()));
        evaluation.frames.push_back(
            {picture.time, yawPitchRollFromRotation(relative), yawPitchRollFromRotation(estimate),
             angleBetween(relative, estimate) * kDegrees, state, tracker.featureCount(), spent});
    }
    summarise(evaluation);
    return evaluation;
}

void writeFrames(const Evaluation& evaluation, std::ostream& out) {
    out << "time,true_yaw_deg,true_pitch_deg,true_roll_deg,yaw_deg,pitch_deg,roll_deg,"
           "error_deg,state,features,ms\n";
    for (const auto& f : evaluation.frames) {
        out << f.time << ',' << f.truth.yaw * kDegrees << ',' << f.truth.pitch * kDegrees << ','
            << f.truth.roll * kDegrees << ',' << f.estimate.yaw * kDegrees << ','
            << f.estimate.pitch * kDegrees << ',' << f.estimate.roll * kDegrees << ','
            << f.errorDegrees << ',' << (f.state == TrackingState::Tracking ? "tracking" : "lost")
            << ',' << f.features << ',' << f.milliseconds << '\n';
    }
}

}  // namespace rovuzu
