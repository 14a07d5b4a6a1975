#pragma once

#include <map>

#include "platform/host/core/GpuTextures.hpp"

namespace rovuzu {

// A GPU for tests: it hands out numbers for textures and remembers which it holds and what
// each was made from.
class FakeGpu final : public GpuTextures::Maker {
  public:
    GpuTextures::Handle make(const GpuTextures::Recipe& recipe) override;
    void release(GpuTextures::Handle handle) override;

    // The recipe of each texture held, by handle.
    std::map<GpuTextures::Handle, GpuTextures::Recipe> held;
    int made = 0;
    int released = 0;
    // Freeing a texture it does not hold.
    int strayReleases = 0;
    bool refuses = false;

  private:
    GpuTextures::Handle next_ = 100;
};

}  // namespace rovuzu
