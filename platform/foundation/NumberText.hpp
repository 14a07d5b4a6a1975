#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rovuzu {

// The text of a double as the platform prints it: the shortest decimal form that reads back
// to the same value, with a trailing ".0" on whole values ("100.0", "-187.5", "666.6").
std::string describeDouble(double value);

// The double whose shortest text is the float's own shortest text, so that a float prints as
// 0.8671395 rather than as the 0.8671395182609558 its widened value would give.
double shortestDouble(float value);

// The number that the whole of `text` spells, in decimal or exponent form; nothing for any
// other text, or for a number too large for a double.
std::optional<double> readDouble(std::string_view text);

}  // namespace rovuzu
