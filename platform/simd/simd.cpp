#include "platform/simd/simd.hpp"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace rovuzu {

SCNMatrix4 SCNMatrix4MakeRotation(float angle, float x, float y, float z) {
    const glm::mat4 rotation = glm::rotate(glm::mat4{1.0F}, angle, glm::vec3{x, y, z});
    SCNMatrix4 result;
    const float* values = glm::value_ptr(rotation);
    std::copy(values, values + result.m.size(), result.m.begin());
    return result;
}

simd_float4x4 simd_float4x4FromSCNMatrix4(const SCNMatrix4& matrix) {
    return glm::make_mat4(matrix.m.data());
}

}  // namespace rovuzu
