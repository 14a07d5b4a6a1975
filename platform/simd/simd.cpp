#include "platform/simd/simd.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace rovuzu {

// Worked out in double precision and rounded once: single-precision sine and cosine differ in
// their last bit between C libraries, and the browser build's is not the desktop's, while a
// seed must place every target at the very same matrix in both.
SCNMatrix4 SCNMatrix4MakeRotation(float angle, float x, float y, float z) {
    const glm::mat4 rotation{
        glm::rotate(glm::dmat4{1.0}, static_cast<double>(angle), glm::dvec3{x, y, z})};
    SCNMatrix4 result;
    const float* values = glm::value_ptr(rotation);
    std::copy(values, values + result.m.size(), result.m.begin());
    return result;
}

simd_float4x4 simd_float4x4FromSCNMatrix4(const SCNMatrix4& matrix) {
    return glm::make_mat4(matrix.m.data());
}

}  // namespace rovuzu
