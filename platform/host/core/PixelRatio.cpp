#include "platform/host/core/PixelRatio.hpp"

#include <cmath>

namespace rovuzu {

namespace {

// The ratio at which `points` round to at most `pixels`, or `ratio` if it already does.
double fitSide(double points, int pixels, double ratio) {
    if (pixels <= 0 || !(points > 0.0) || std::round(points * ratio) <= pixels) {
        return ratio;
    }
    double fitted = pixels / points;
    // The quotient may land a hair above the side's last whole pixel.
    while (std::round(points * fitted) > pixels) {
        fitted = std::nextafter(fitted, 0.0);
    }
    return fitted;
}

}  // namespace

double PixelRatio::largestFitting(CGSize points, double wanted, Limit limit) {
    if (!(wanted > 0.0) || !std::isfinite(wanted)) {
        return wanted;
    }
    return fitSide(points.height, limit.height, fitSide(points.width, limit.width, wanted));
}

}  // namespace rovuzu
