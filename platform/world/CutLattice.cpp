#include "platform/world/CutLattice.hpp"

#include <cmath>
#include <limits>

namespace rovuzu {

CutLattice::CutLattice(const simd_float3& eye, const std::vector<WorldRect>& surfaces) : eye_(eye) {
    nearest_.fill(std::numeric_limits<float>::infinity());
    for (const WorldRect& surface : surfaces) {
        const int across = 3 - surface.right.axis - surface.down.axis;
        const float distance = std::abs(eye[across] - surface.origin[across]);
        for (const int axis : {surface.right.axis, surface.down.axis}) {
            nearest_[static_cast<std::size_t>(axis)] =
                std::min(nearest_[static_cast<std::size_t>(axis)], distance);
        }
    }
}

long CutLattice::stepAt(int axis, float at) const {
    // The nearest a point on this lattice line can be: on the nearest surface along the axis.
    const float distance = std::hypot(at - eye_[axis], nearest_[static_cast<std::size_t>(axis)]);
    const float widest = kSpacingPerDistance * distance * kFinestDivisions;
    long step = kFinestDivisions / kCoarsestDivisions;
    while (step > 1 && static_cast<float>(step) > widest) {
        step /= 2;
    }
    return step;
}

void CutLattice::cuts(int axis, float lo, float hi, std::vector<float>& out) const {
    out.clear();
    out.push_back(lo);
    const auto first = static_cast<long>(std::floor(lo * kFinestDivisions)) + 1;
    const auto last = static_cast<long>(std::ceil(hi * kFinestDivisions)) - 1;
    for (long i = first; i <= last; ++i) {
        const float at = static_cast<float>(i) / kFinestDivisions;
        if (at > lo && at < hi && i % stepAt(axis, at) == 0) {
            out.push_back(at);
        }
    }
    out.push_back(hi);
}

}  // namespace rovuzu
