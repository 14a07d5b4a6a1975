#pragma once

#include <vector>

#include "platform/world/PixelImage.hpp"
#include "platform/world/WorldBox.hpp"
#include "platform/world/WorldRect.hpp"

namespace rovuzu {

// Everything the built-in world is made of. The shell is a closed box around the origin, so
// from inside nothing of it hides anything else of it; decals lie on the shell and are painted
// over it; boxes stand inside and are painted last, back to front.
struct WorldModel {
    std::vector<PixelImage> textures;
    std::vector<WorldRect> shell;
    std::vector<WorldRect> decals;
    std::vector<WorldBox> boxes;
};

}  // namespace rovuzu
