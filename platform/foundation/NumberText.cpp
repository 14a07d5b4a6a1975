#include "platform/foundation/NumberText.hpp"

// Number text comes from fmt and fast_float rather than std::to_chars and std::from_chars:
// the browser build's C++ library has neither for floating point, and one implementation in
// both builds keeps every number the desktop prints identical in the browser.
#define FMT_HEADER_ONLY
#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cmath>
#include <system_error>

namespace rovuzu {

std::string describeDouble(double value) {
    if (std::isnan(value)) {
        return "nan";
    }
    if (std::isinf(value)) {
        return value > 0 ? "inf" : "-inf";
    }
    std::string text = fmt::format("{}", value);
    if (text.find_first_of(".e") == std::string::npos) {
        text += ".0";
    }
    return text;
}

double shortestDouble(float value) {
    const std::string text = fmt::format("{}", value);
    return readDouble(text).value_or(static_cast<double>(value));
}

std::optional<double> readDouble(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = fast_float::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end || text.empty() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace rovuzu
