#pragma once

#include <string>

namespace rovuzu {

// The text of a double as the platform prints it: the shortest decimal form that reads back
// to the same value, with a trailing ".0" on whole values ("100.0", "-187.5", "666.6").
std::string describeDouble(double value);

}  // namespace rovuzu
