#include "bench/frames/GameFrames.hpp"

#include <glm/gtc/matrix_transform.hpp>

#include "app/AppDelegate.hpp"
#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/ClassRegistry.hpp"
#include "platform/foundation/Clock.hpp"
#include "platform/foundation/NSBundle.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/FrameLayout.hpp"
#include "platform/host/core/Input.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {

namespace {

constexpr CGSize kViewSize{375.0, 667.0};
constexpr double kPixelsPerPoint = 2.0;
constexpr double kFrame = 1.0 / 60.0;
constexpr std::uint32_t kSeed = 1;
constexpr int kColumns = 5;

// The i-th of `count` targets: rows and columns over the view, 1.5 to 2.5 metres away.
simd_float4x4 targetTransform(int i, int count) {
    const int rows = (count + kColumns - 1) / kColumns;
    const int column = i % kColumns;
    const int row = i / kColumns;
    const auto depth = 1.5F + static_cast<float>((i * 7) % 10) / 10.0F;
    const float x = (static_cast<float>(column) - (kColumns - 1) / 2.0F) * 0.11F * depth;
    const float y = (static_cast<float>(row) - static_cast<float>(rows - 1) / 2.0F) * 0.2F * depth;
    return glm::translate(simd_float4x4{1.0F}, simd_float3{x, y, -depth});
}

}  // namespace

GameFrames::GameFrames(SDL_Renderer* renderer, const std::filesystem::path& resources, int targets)
    : sdl_(renderer) {
    Clock::install(&clock_);
    NSBundle::setMainBundlePath(resources);
    GKRandomSource::sharedRandom().seed(kSeed);
    if (!application_.launch(NSStringFromClass<AppDelegate>(), kViewSize)) {
        return;
    }
    loop_ = std::make_unique<Stage>(application_);
    renderer_ = std::make_unique<Renderer>(renderer, resources);
    update(0.0);
    placeTargets(targets);
}

GameFrames::~GameFrames() {
    renderer_.reset();
    loop_.reset();
    application_.terminate();
    Clock::install(nullptr);
}

void GameFrames::placeTargets(int count) {
    ARSKView* view = loop_->arView();
    if (view == nullptr) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        view->session().addAnchor(std::make_shared<ARAnchor>(targetTransform(i, count)));
    }
}

void GameFrames::update(double yaw) {
    now_ += kFrame;
    clock_.advanceTo(now_);
    loop_->apply(input::Look{DevicePose::rotationFromAngles(yaw, 0.0, 0.0)});
    loop_->step(now_, {});
}

bool GameFrames::draw(bool skipUnchanged) {
    const SKView* view = loop_->view();
    if (view == nullptr) {
        return false;
    }
    // As the window host draws frames between screenshots.
    FrameLayout::Surroundings surroundings;
    surroundings.quickWhileMoving = true;
    Frame next = FrameLayout::of(*view, kPixelsPerPoint, surroundings, drawn_ ? &*drawn_ : nullptr);
    if (skipUnchanged && drawn_ && next == *drawn_) {
        return false;
    }
    drawn_ = std::move(next);
    SDL_SetRenderDrawColor(sdl_, 0, 0, 0, 255);
    SDL_RenderClear(sdl_);
    renderer_->draw(*drawn_);
    return true;
}

std::size_t GameFrames::anchorCount() const {
    const ARSKView* view = loop_ ? loop_->arView() : nullptr;
    return view != nullptr ? view->session().anchors().size() : 0;
}

}  // namespace rovuzu
