#include "platform/host/core/Autoplay.hpp"

#include "platform/arkit/ARSession.hpp"

namespace rovuzu {

void Autoplay::observe(const ARSession& session, double now) {
    const auto& anchors = session.anchors();
    for (; seenAnchors_ < anchors.size(); ++seenAnchors_) {
        const simd_float4 inWorld =
            session.worldOrigin() * simd_float4{anchors[seenAnchors_]->position(), 1.0F};
        plans_.push_back({now + kReactionTime, simd_float3{inWorld}});
    }
}

std::optional<double> Autoplay::nextTime() const {
    if (plans_.empty()) {
        return std::nullopt;
    }
    const Plan& next = plans_.front();
    return next.looked ? next.lookAt + kTapDelay : next.lookAt;
}

std::vector<Input> Autoplay::takeDue(double now, const DevicePose& pose, CGSize viewSize) {
    std::vector<Input> due;
    while (!plans_.empty() && nextTime() <= now) {
        Plan& plan = plans_.front();
        if (!plan.looked) {
            due.emplace_back(input::Look{pose.facing(plan.target).rotation});
            plan.looked = true;
            // The tap waits for a frame drawn with the new pose, even when a slow frame
            // already spans its time: otherwise it would land on the targets as placed before.
            break;
        }
        due.emplace_back(input::Touches{{{viewSize.width / 2.0, viewSize.height / 2.0}}});
        plans_.pop_front();
    }
    return due;
}

}  // namespace rovuzu
