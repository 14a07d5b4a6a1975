#include "platform/host/core/TextHalo.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

namespace rovuzu {

namespace {

// The squared distance that stands for "no ink on this line at all": far beyond any halo, yet
// finite, so that the envelope's sums stay numbers.
constexpr double kNoInk = 1.0e20;

// Buffers for one line's lower envelope, kept from line to line.
struct Envelope {
    std::vector<double> given;
    std::vector<int> apexes;        // the parabolas of the envelope, by where they stand
    std::vector<double> crossings;  // where each one takes over from the one before
};

// Where the parabolas standing at p and q, raised by the squared distances given there, cross.
double crossing(const std::vector<double>& given, int p, int q) {
    const double raisedQ = given[q] + static_cast<double>(q) * q;
    const double raisedP = given[p] + static_cast<double>(p) * p;
    return (raisedQ - raisedP) / (2.0 * (q - p));
}

// Along one row, in place: each place's squared distance to the ink becomes the least, over
// every place on the row, of that place's distance plus the square of the way along. A pass
// builds the lower envelope of the parabolas the places raise and a second reads it off (after
// Felzenszwalb and Huttenlocher), so the cost grows with the row's length alone, never with the
// halo's width.
void alongLine(std::vector<double>& line, Envelope& envelope) {
    const int count = static_cast<int>(line.size());
    envelope.given = line;
    envelope.apexes.assign(line.size(), 0);
    envelope.crossings.assign(line.size() + 1, 0.0);
    const double infinity = std::numeric_limits<double>::infinity();
    int top = 0;
    envelope.crossings[0] = -infinity;
    envelope.crossings[1] = infinity;
    for (int q = 1; q < count; ++q) {
        double at = crossing(envelope.given, envelope.apexes[top], q);
        while (at <= envelope.crossings[top]) {
            --top;
            at = crossing(envelope.given, envelope.apexes[top], q);
        }
        ++top;
        envelope.apexes[top] = q;
        envelope.crossings[top] = at;
        envelope.crossings[top + 1] = infinity;
    }
    top = 0;
    for (int q = 0; q < count; ++q) {
        while (envelope.crossings[top + 1] < q) {
            ++top;
        }
        const int apex = envelope.apexes[top];
        line[q] = static_cast<double>(q - apex) * (q - apex) + envelope.given[apex];
    }
}

// The squared distance of every pixel of the padded picture to the nearest pixel of ink in its
// own column: a sweep down and a sweep up, each a row at a time, so memory is read in order.
std::vector<double> squaredDistancesDownColumns(const std::vector<std::uint8_t>& coverage,
                                                int width, int height, int padding) {
    const int wide = width + 2 * padding;
    const int high = height + 2 * padding;
    std::vector<double> steps(static_cast<std::size_t>(wide) * high, kNoInk);
    const auto at = [wide](int x, int y) { return static_cast<std::size_t>(y) * wide + x; };
    for (int y = 0; y < high; ++y) {
        const int gy = y - padding;
        for (int x = 0; x < wide; ++x) {
            const int gx = x - padding;
            if (gy >= 0 && gy < height && gx >= 0 && gx < width &&
                coverage[static_cast<std::size_t>(gy) * width + gx] != 0) {
                steps[at(x, y)] = 0.0;
            } else if (y > 0) {
                steps[at(x, y)] = steps[at(x, y - 1)] + 1.0;
            }
        }
    }
    for (int y = high - 2; y >= 0; --y) {
        for (int x = 0; x < wide; ++x) {
            steps[at(x, y)] = std::min(steps[at(x, y)], steps[at(x, y + 1)] + 1.0);
        }
    }
    for (double& step : steps) {
        step = step >= kNoInk ? kNoInk : step * step;
    }
    return steps;
}

// The squared distance of every pixel of the padded picture to the nearest pixel with any ink:
// exact and Euclidean, down the columns and then along the rows.
std::vector<double> squaredDistancesToInk(const std::vector<std::uint8_t>& coverage, int width,
                                          int height, int padding) {
    std::vector<double> distances = squaredDistancesDownColumns(coverage, width, height, padding);
    const int wide = width + 2 * padding;
    Envelope envelope;
    std::vector<double> line(static_cast<std::size_t>(wide));
    for (auto row = distances.begin(); row != distances.end(); row += wide) {
        std::copy(row, row + wide, line.begin());
        alongLine(line, envelope);
        std::copy(line.begin(), line.end(), row);
    }
    return distances;
}

// The halo's opacity this far from the ink: whole across the solid part, then easing out.
double haloAlpha(double distance, double solid, double fade) {
    if (distance <= solid) {
        return 1.0;
    }
    const double t = (distance - solid) / fade;
    return t >= 1.0 ? 0.0 : 1.0 - t * t * (3.0 - 2.0 * t);
}

std::uint8_t toByte(double unit) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(unit, 0.0, 1.0) * 255.0));
}

}  // namespace

double TextHalo::thickness(double emPixels, double pixelsPerPoint) {
    return std::max(kEmShare * emPixels, kLeastPoints * pixelsPerPoint);
}

TextHalo::Picture TextHalo::around(const std::vector<std::uint8_t>& coverage, int width, int height,
                                   double thickness) {
    if (width <= 0 || height <= 0 ||
        coverage.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        return {};
    }
    const double solid = std::isfinite(thickness) ? std::max(thickness, 0.0) : 0.0;
    // However thin the halo, its edge fades over a pixel at least, so that it is not jagged.
    const double fade = std::max(solid * kFadeShare, 1.0);
    const auto padding = static_cast<int>(std::ceil(solid + fade));
    Picture picture{width + 2 * padding, height + 2 * padding, padding, {}};
    const std::vector<double> distances = squaredDistancesToInk(coverage, width, height, padding);
    // Clear and black wherever the halo does not reach, which is most of the picture.
    picture.rgba.assign(distances.size() * 4, 0);
    const double reach = (solid + fade) * (solid + fade);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
            // Within reach the halo is never quite clear, so the alpha below is never 0.
            if (distances[i] >= reach) {
                continue;
            }
            const int gx = x - padding;
            const int gy = y - padding;
            const bool inside = gx >= 0 && gy >= 0 && gx < width && gy < height;
            const double ink =
                inside ? coverage[static_cast<std::size_t>(gy) * width + gx] / 255.0 : 0.0;
            const double halo = haloAlpha(std::sqrt(distances[i]), solid, fade);
            // White ink over the black halo: their alphas compose, and the colour is the ink's
            // share of the result.
            const double alpha = ink + halo * (1.0 - ink);
            const std::uint8_t white = toByte(ink / alpha);
            std::fill_n(picture.rgba.begin() + static_cast<std::ptrdiff_t>(i * 4), 3, white);
            picture.rgba[i * 4 + 3] = toByte(alpha);
        }
    }
    return picture;
}

}  // namespace rovuzu
