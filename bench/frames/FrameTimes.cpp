#include "bench/frames/FrameTimes.hpp"

#include <algorithm>
#include <cmath>

namespace rovuzu {

double FrameTimes::percentile(double fraction) const {
    if (times_.empty()) {
        return 0.0;
    }
    std::vector<double> sorted = times_;
    const auto rank = static_cast<std::size_t>(
        std::ceil(std::clamp(fraction, 0.0, 1.0) * static_cast<double>(sorted.size())));
    const auto nth =
        sorted.begin() + static_cast<std::ptrdiff_t>(std::max<std::size_t>(rank, 1) - 1);
    std::nth_element(sorted.begin(), nth, sorted.end());
    return *nth;
}

}  // namespace rovuzu
