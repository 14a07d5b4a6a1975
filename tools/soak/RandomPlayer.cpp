#include "tools/soak/RandomPlayer.hpp"

#include <algorithm>
#include <array>
#include <utility>

#include "game/Scene.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/host/core/Stage.hpp"

namespace rovuzu {

namespace {

constexpr double kFrame = 1.0 / 60.0;
constexpr double kMeanGap = 0.12;            // roaming: about eight inputs a second
constexpr double kStormGap = 0.001;          // a thousand taps a second
constexpr std::int64_t kStormAimEvery = 50;  // turning to a target every 50 ms
constexpr double kOffView = 20.0;            // taps may land a little outside the view
constexpr double kMaxStep = 0.5;             // moves stay within half a metre of the start
constexpr double kMaxSide = 1600.0;          // resizes reach a large window's points
constexpr double kShowAgain = 0.4;           // a hidden view comes back soon
constexpr int kEmptyTries = 20;

enum class Kind { anywhere, hud, empty, aimed, fingers, look, move, hideShow, resize };

CGPoint middle(CGSize view) {
    return {view.width / 2.0, view.height / 2.0};
}

}  // namespace

// About one roaming player in five never aims, and hits only by chance: its rounds mostly run
// out of time with targets left.
RandomPlayer::RandomPlayer(std::uint32_t seed, Style style)
    : random_(seed),
      style_(style),
      aimWeight_(std::max(uniform(-0.1, 0.45), 0.0)),
      nextTime_(kStormGap) {
    if (style_ == Style::roam) {
        nextTime_ = uniform(0.0, 2.0 * kMeanGap);
    }
}

double RandomPlayer::uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random_);
}

CGPoint RandomPlayer::pointAround(CGSize view) {
    return {uniform(-kOffView, view.width + kOffView), uniform(-kOffView, view.height + kOffView)};
}

RandomPlayer::Move RandomPlayer::take(const Stage& stage, bool shown,
                                      const std::vector<std::shared_ptr<ARAnchor>>& live) {
    ++moves_;
    Move move = style_ == Style::storm ? storm(stage, live) : roam(stage, shown, live);
    move.event.time = nextTime_;
    if (style_ == Style::storm) {
        // Counted, not summed, so that a long storm keeps its exact rate.
        nextTime_ = static_cast<double>(moves_ + 1) * kStormGap;
    } else if (tapPending_) {
        nextTime_ += kFrame;
    } else {
        nextTime_ += std::exponential_distribution<double>(1.0 / kMeanGap)(random_);
    }
    return move;
}

RandomPlayer::Move RandomPlayer::roam(const Stage& stage, bool shown,
                                      const std::vector<std::shared_ptr<ARAnchor>>& live) {
    if (tapPending_) {
        tapPending_ = false;
        Move tap = tapAt(middle(stage.viewSize()));
        tap.aimedAt = std::exchange(facing_, nullptr);
        return tap;
    }
    if (!shown && uniform(0.0, 1.0) < kShowAgain) {
        return hideOrShow(shown);
    }
    constexpr std::array<Kind, 9> kKinds{Kind::anywhere, Kind::hud,      Kind::empty,
                                         Kind::aimed,    Kind::fingers,  Kind::look,
                                         Kind::move,     Kind::hideShow, Kind::resize};
    const std::array<double, 9> weights{0.18, 0.05, 0.05, aimWeight_, 0.06, 0.15, 0.05, 0.03, 0.03};
    std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
    switch (kKinds[pick(random_)]) {
        case Kind::anywhere:
            return tapAnywhere(stage);
        case Kind::hud:
            return tapHud(stage);
        case Kind::empty:
            return tapEmptySpace(stage);
        case Kind::aimed:
            tapPending_ = !live.empty();
            return aim(stage, live);
        case Kind::fingers:
            return tapWithFingers(stage);
        case Kind::look:
            return lookAnywhere();
        case Kind::move:
            return moveAnywhere();
        case Kind::hideShow:
            return hideOrShow(shown);
        case Kind::resize:
            return resize();
    }
    return lookAnywhere();
}

RandomPlayer::Move RandomPlayer::storm(const Stage& stage,
                                       const std::vector<std::shared_ptr<ARAnchor>>& live) {
    if (moves_ % kStormAimEvery == 1) {
        return aim(stage, live);
    }
    if (moves_ % 2 == 0) {
        Move tap = tapAt(middle(stage.viewSize()));
        tap.aimedAt = facing_;
        return tap;
    }
    return tapAnywhere(stage);
}

RandomPlayer::Move RandomPlayer::aim(const Stage& stage,
                                     const std::vector<std::shared_ptr<ARAnchor>>& live) {
    const ARSKView* view = stage.arView();
    if (live.empty() || view == nullptr) {
        facing_ = nullptr;
        return lookAnywhere();
    }
    std::uniform_int_distribution<std::size_t> pick(0, live.size() - 1);
    facing_ = live[pick(random_)];
    // As the autoplayer does: the anchor in the device's world, and the pose that faces it.
    const simd_float4 inWorld =
        view->session().worldOrigin() * simd_float4{facing_->position(), 1.0F};
    const DevicePose facing = stage.pose().facing(simd_float3{inWorld});
    return {{0.0, input::Look{facing.rotation}}, nullptr};
}

RandomPlayer::Move RandomPlayer::tapAt(CGPoint point) {
    return {{0.0, input::Touches{{point}}}, nullptr};
}

RandomPlayer::Move RandomPlayer::tapAnywhere(const Stage& stage) {
    return tapAt(pointAround(stage.viewSize()));
}

// Somewhere on the HUD label, or on whatever label shows once the round is over.
RandomPlayer::Move RandomPlayer::tapHud(const Stage& stage) {
    const ARSKView* view = stage.arView();
    const auto* scene = view != nullptr ? dynamic_cast<const Scene*>(view->scene().get()) : nullptr;
    if (scene == nullptr || scene->remainingLabel()->parent() == nullptr) {
        return tapAnywhere(stage);
    }
    const CGRect frame = scene->remainingLabel()->calculateAccumulatedFrame();
    const CGPoint inScene{uniform(frame.origin.x, CGRectGetMaxX(frame)),
                          uniform(frame.origin.y, CGRectGetMaxY(frame))};
    return tapAt(scene->convertPointToView(inScene));
}

RandomPlayer::Move RandomPlayer::tapEmptySpace(const Stage& stage) {
    const ARSKView* view = stage.arView();
    const SKScene* scene = view != nullptr ? view->scene().get() : nullptr;
    CGPoint point = pointAround(stage.viewSize());
    for (int i = 0; scene != nullptr && i < kEmptyTries; ++i) {
        if (scene->nodesAtPoint(scene->convertPointFromView(point)).empty()) {
            break;
        }
        point = pointAround(stage.viewSize());
    }
    return tapAt(point);
}

// Two to five fingers at once; the first, which the game reads, is as often at the middle.
RandomPlayer::Move RandomPlayer::tapWithFingers(const Stage& stage) {
    const CGSize size = stage.viewSize();
    const int fingers = std::uniform_int_distribution<int>(2, 5)(random_);
    input::Touches touches;
    for (int i = 0; i < fingers; ++i) {
        touches.points.push_back(i == 0 && uniform(0.0, 1.0) < 0.5 ? middle(size)
                                                                   : pointAround(size));
    }
    return {{0.0, std::move(touches)}, nullptr};
}

RandomPlayer::Move RandomPlayer::lookAnywhere() {
    constexpr double kRollChance = 0.2;
    const double roll = uniform(0.0, 1.0) < kRollChance ? uniform(-45.0, 45.0) : 0.0;
    const double yaw = uniform(-180.0, 180.0);
    const double pitch = uniform(-90.0, 90.0);
    return {{0.0, input::Look{DevicePose::rotationFromAngles(yaw, pitch, roll)}}, nullptr};
}

RandomPlayer::Move RandomPlayer::moveAnywhere() {
    const double x = uniform(-kMaxStep, kMaxStep);
    const double y = uniform(-kMaxStep, kMaxStep);
    const double z = uniform(-kMaxStep, kMaxStep);
    return {{0.0, input::Move{{x, y, z}}}, nullptr};
}

// Any size from one point up, as often a tiny one, or back to the phone's own.
RandomPlayer::Move RandomPlayer::resize() {
    const double choice = uniform(0.0, 1.0);
    CGSize size{375.0, 667.0};
    if (choice < 0.25) {
        size = {uniform(1.0, 10.0), uniform(1.0, 10.0)};
    } else if (choice < 0.75) {
        size = {uniform(1.0, kMaxSide), uniform(1.0, kMaxSide)};
    }
    return {{0.0, input::Resize{size}}, nullptr};
}

RandomPlayer::Move RandomPlayer::hideOrShow(bool shown) {
    if (shown) {
        return {{0.0, input::Hide{}}, nullptr};
    }
    return {{0.0, input::Show{}}, nullptr};
}

}  // namespace rovuzu
