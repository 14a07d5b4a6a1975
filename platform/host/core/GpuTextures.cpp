#include "platform/host/core/GpuTextures.hpp"

#include <utility>

namespace rovuzu {

GpuTextures::~GpuTextures() {
    release();
}

GpuTextures::Id GpuTextures::add(Recipe recipe) {
    const Id id = next_++;
    Texture& texture = textures_[id];
    texture.recipe = std::move(recipe);
    if (!away_) {
        texture.handle = maker_.make(texture.recipe);
    }
    return id;
}

void GpuTextures::remove(Id id) {
    const auto found = textures_.find(id);
    if (found == textures_.end()) {
        return;
    }
    if (found->second.handle != 0) {
        maker_.release(found->second.handle);
    }
    textures_.erase(found);
}

GpuTextures::Handle GpuTextures::handle(Id id) const {
    const auto found = textures_.find(id);
    return found != textures_.end() ? found->second.handle : 0;
}

void GpuTextures::release() {
    away_ = true;
    for (auto& [id, texture] : textures_) {
        if (texture.handle != 0) {
            maker_.release(std::exchange(texture.handle, 0));
        }
    }
}

void GpuTextures::restore() {
    away_ = false;
    for (auto& [id, texture] : textures_) {
        if (texture.handle == 0) {
            texture.handle = maker_.make(texture.recipe);
        }
    }
}

}  // namespace rovuzu
