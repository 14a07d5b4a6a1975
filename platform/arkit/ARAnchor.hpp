#pragma once

#include "platform/simd/simd.hpp"

namespace rovuzu {

// A fixed place in the session's world, in metres.
class ARAnchor {
  public:
    explicit ARAnchor(const simd_float4x4& transform) : transform_(transform) {}

    [[nodiscard]] const simd_float4x4& transform() const { return transform_; }
    [[nodiscard]] simd_float3 position() const { return simd_float3{transform_[3]}; }

  private:
    simd_float4x4 transform_;
};

}  // namespace rovuzu
