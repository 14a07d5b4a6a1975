#include "tests/support/FakeGpu.hpp"

namespace rovuzu {

GpuTextures::Handle FakeGpu::make(const GpuTextures::Recipe& recipe) {
    if (refuses) {
        return 0;
    }
    const GpuTextures::Handle handle = next_++;
    held[handle] = recipe;
    ++made;
    return handle;
}

void FakeGpu::release(GpuTextures::Handle handle) {
    if (held.erase(handle) == 0) {
        ++strayReleases;
    }
    ++released;
}

}  // namespace rovuzu
