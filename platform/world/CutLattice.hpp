#pragma once

#include <array>
#include <vector>

#include "platform/simd/simd.hpp"
#include "platform/world/WorldRect.hpp"

namespace rovuzu {

// Where surfaces are cut into cells for one camera. SDL's triangles are textured affinely,
// which looks right only on cells that are small for their distance, so cuts lie close near
// the camera and further apart away from it. The cuts along an axis form one lattice for every
// surface: two surfaces meeting at an edge cut it at the same points, so their triangles share
// corners exactly and no gap can open between them.
class CutLattice {
  public:
    // The finest and the widest spacing, as fractions of a metre.
    static constexpr int kFinestDivisions = 16;
    static constexpr int kCoarsestDivisions = 4;
    // Cells are at most this many metres wide for each metre they are away from the camera,
    // which keeps the drawn texture within about a point of where perspective puts it.
    static constexpr float kSpacingPerDistance = 0.07F;

    // `surfaces` are those whose distance decides how finely each axis is cut: for each axis,
    // the nearest of the surfaces that run along it.
    CutLattice(const simd_float3& eye, const std::vector<WorldRect>& surfaces);

    // The cuts along `axis` from `lo` to `hi`, both ends included, in increasing order.
    void cuts(int axis, float lo, float hi, std::vector<float>& out) const;

  private:
    // How many finest steps apart the cuts are at a lattice point.
    [[nodiscard]] long stepAt(int axis, float at) const;

    simd_float3 eye_;
    std::array<float, 3> nearest_{};
};

}  // namespace rovuzu
