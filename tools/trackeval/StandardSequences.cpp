#include "tools/trackeval/StandardSequences.hpp"

#include <cmath>
#include <opencv2/core.hpp>

#include "tools/trackeval/Panorama.hpp"
#include "tools/trackeval/SyntheticSequence.hpp"

namespace rovuzu {
namespace {

constexpr int kPanoramaWidth = 4096;
// The wall spans 100 to 220 degrees of yaw: with a 60 degree view it fills the picture
// between 130 and 190.
constexpr BlankWall kWall{100.0, 220.0};

// Holds a pose, then flicks to the next one, as a player snapping between targets does.
RotationPath flicks(double duration, std::uint32_t seed) {
    cv::RNG random(seed);
    std::vector<RotationPath::Pose> poses{{0.0, 0.0, 0.0, 0.0}, {0.8, 0.0, 0.0, 0.0}};
    while (poses.back().time < duration) {
        const RotationPath::Pose& last = poses.back();
        const double sign = random.uniform(0, 2) == 0 ? -1.0 : 1.0;
        RotationPath::Pose next{last.time + random.uniform(0.25, 0.4),
                                last.yaw + sign * random.uniform(20.0, 50.0),
                                random.uniform(-25.0, 25.0), random.uniform(-10.0, 10.0)};
        poses.push_back(next);
        next.time += random.uniform(0.5, 1.0);
        poses.push_back(next);
    }
    return {poses};
}

// Wanders between random poses a few seconds apart.
RotationPath wander(double duration, double step, double reach, std::uint32_t seed) {
    cv::RNG random(seed);
    std::vector<RotationPath::Pose> poses{{0.0, 0.0, 0.0, 0.0}};
    while (poses.back().time < duration) {
        const RotationPath::Pose& last = poses.back();
        poses.push_back({last.time + step, last.yaw + random.uniform(-reach, reach),
                         random.uniform(-reach / 2.0, reach / 2.0),
                         random.uniform(-reach / 4.0, reach / 4.0)});
    }
    return RotationPath(poses, {{2.0, 2.0, 1.0, 3.1}});
}

// Automatic exposure: a slow swell, and two sudden jumps as the camera re-meters.
double exposureGain(double time) {
    const double swell = 1.0 + 0.35 * std::sin(2.0 * CV_PI * time / 6.0);
    if (time >= 5.0 && time < 9.0) {
        return swell * 1.5;
    }
    if (time >= 13.0 && time < 16.0) {
        return swell * 0.55;
    }
    return swell;
}

}  // namespace

std::vector<std::unique_ptr<Sequence>> standardSequences() {
    const cv::Mat room = makePanorama(kPanoramaWidth, 7);
    const cv::Mat walled = makePanorama(kPanoramaWidth, 11, kWall);
    const SyntheticSequence::Gyro gyro{0.05, {0.01, -0.008, 0.006}, 200.0};
    std::vector<SyntheticSequence::Settings> all;

    all.push_back({.name = "slow-pan",
                   .path = RotationPath({{0.0, 0.0, 0.0, 0.0}, {60.0, 360.0, 0.0, 0.0}},
                                        {{0.0, 8.0, 3.0, 20.0}}),
                   .seed = 1});
    all.push_back({.name = "fast-flicks", .path = flicks(20.0, 2), .seed = 2});
    all.push_back({.name = "noise", .path = wander(20.0, 3.0, 40.0, 3), .noise = 12.0, .seed = 3});
    all.push_back({.name = "motion-blur",
                   .path = wander(20.0, 1.5, 40.0, 4),
                   .exposureTime = 0.02,
                   .exposureSamples = 8,
                   .seed = 4});
    all.push_back({.name = "exposure",
                   .path = wander(20.0, 2.5, 40.0, 5),
                   .noise = 2.0,
                   .gain = exposureGain,
                   .seed = 5});
    // Into the wall and back out the same side.
    const RotationPath intoWall({{0.0, 0.0, 0.0, 0.0},
                                 {8.0, 160.0, 0.0, 0.0},
                                 {12.0, 165.0, 5.0, 0.0},
                                 {20.0, 40.0, -5.0, 0.0},
                                 {25.0, 20.0, 0.0, 0.0}},
                                {{0.0, 3.0, 2.0, 5.0}});
    // Through the wall and out the other side, which only a gyro can bridge.
    const RotationPath throughWall({{0.0, 0.0, 0.0, 0.0}, {20.0, 300.0, 0.0, 0.0}},
                                   {{0.0, 4.0, 2.0, 6.0}});
    std::vector<std::unique_ptr<Sequence>> sequences;
    sequences.reserve(all.size() + 3);
    for (auto& settings : all) {
        sequences.push_back(std::make_unique<SyntheticSequence>(std::move(settings), room));
    }
    sequences.push_back(std::make_unique<SyntheticSequence>(
        SyntheticSequence::Settings{
            .name = "low-texture", .path = intoWall, .noise = 2.0, .seed = 6},
        walled));
    sequences.push_back(std::make_unique<SyntheticSequence>(
        SyntheticSequence::Settings{
            .name = "low-texture-through", .path = throughWall, .noise = 2.0, .seed = 7},
        walled));
    sequences.push_back(std::make_unique<SyntheticSequence>(
        SyntheticSequence::Settings{
            .name = "low-texture-gyro", .path = throughWall, .noise = 2.0, .gyro = gyro, .seed = 7},
        walled));
    return sequences;
}

}  // namespace rovuzu
