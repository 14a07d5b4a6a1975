#pragma once

#include <string>

#include "tools/trackeval/Evaluation.hpp"

namespace rovuzu {

// Draws estimated against true yaw and pitch over time, with the stretches where tracking was
// lost shaded, into a PNG file. False when the file cannot be written.
bool writeTrackPlot(const Evaluation& evaluation, const std::string& path);

}  // namespace rovuzu
