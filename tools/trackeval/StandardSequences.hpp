#pragma once

#include <memory>
#include <vector>

#include "tools/trackeval/Sequence.hpp"

namespace rovuzu {

// The evaluation's fixed set of 640x480 sequences at 30 frames a second: slow pans, fast flicks,
// sensor noise, motion blur, exposure changes and a blank wall, filmed from procedural
// panoramas with fixed seeds, so every run sees the same pictures.
[[nodiscard]] std::vector<std::unique_ptr<Sequence>> standardSequences();

}  // namespace rovuzu
