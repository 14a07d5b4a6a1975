#include "platform/world/WorldBox.hpp"

namespace rovuzu {

bool WorldBox::isBehind(const WorldBox& other, const simd_float3& eye) const {
    for (int axis = 0; axis < 3; ++axis) {
        if (max[axis] <= other.min[axis] && eye[axis] > max[axis]) {
            return true;
        }
        if (other.max[axis] <= min[axis] && eye[axis] < min[axis]) {
            return true;
        }
    }
    return false;
}

}  // namespace rovuzu
