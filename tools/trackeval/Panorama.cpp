#include "tools/trackeval/Panorama.hpp"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>
#include <string>

#include "tools/trackeval/PanoramaView.hpp"

namespace rovuzu {
namespace {

// Smooth random values on a grid `cells` wide, wrapping around left to right like the world.
cv::Mat1f noise(cv::Size size, int cells, cv::RNG& random) {
    const int rows = std::max(2, cells / 2);
    cv::Mat1f grid(rows, cells);
    random.fill(grid, cv::RNG::UNIFORM, -1.0, 1.0);
    // Padding by wrapped columns keeps the seam invisible after cubic interpolation.
    constexpr int kPad = 2;
    cv::Mat1f padded;
    cv::copyMakeBorder(grid, padded, 0, 0, kPad, kPad, cv::BORDER_WRAP);
    const double cellWidth = static_cast<double>(size.width) / cells;
    cv::Mat1f large;
    cv::resize(padded, large,
               cv::Size(static_cast<int>(std::lround(cellWidth * (cells + 2 * kPad))), size.height),
               0.0, 0.0, cv::INTER_CUBIC);
    const int left = static_cast<int>(std::lround(cellWidth * kPad));
    return large.colRange(left, left + size.width).clone();
}

// Noise summed over octaves, coarse ones strongest, as in natural pictures.
cv::Mat1f fractalNoise(cv::Size size, int coarsest, int finest, cv::RNG& random) {
    cv::Mat1f sum(size, 0.0F);
    double amplitude = 1.0;
    for (int cells = coarsest; cells <= finest; cells *= 2) {
        sum += noise(size, cells, random) * amplitude;
        amplitude *= 0.6;
    }
    return sum;
}

// Coloured clouds of noise. Made at half size: its finest detail is a few pixels across anyway.
cv::Mat3b background(cv::Size size, cv::RNG& random) {
    const cv::Size half(size.width / 2, size.height / 2);
    const cv::Mat1f light = fractalNoise(half, 8, half.width / 4, random);
    std::vector<cv::Mat1f> channels;
    for (int c = 0; c < 3; ++c) {
        // Each colour drifts slowly around the shared brightness.
        cv::Mat1f channel;
        cv::addWeighted(light, 0.18, noise(half, 6, random), 0.12, 0.45, channel);
        channels.push_back(channel);
    }
    cv::Mat3f merged;
    cv::merge(channels, merged);
    cv::Mat3b small;
    merged.convertTo(small, CV_8UC3, 255.0);
    cv::Mat3b picture;
    cv::resize(small, picture, size, 0.0, 0.0, cv::INTER_CUBIC);
    return picture;
}

cv::Scalar randomColour(cv::RNG& random) {
    return {random.uniform(0.0, 255.0), random.uniform(0.0, 255.0), random.uniform(0.0, 255.0)};
}

// Draws twice near the seam, so shapes wrap around like the world.
template <typename Draw>
void drawWrapped(cv::Mat3b& picture, int x, int reach, Draw draw) {
    draw(0);
    if (x - reach < 0) {
        draw(picture.cols);
    }
    if (x + reach >= picture.cols) {
        draw(-picture.cols);
    }
}

void drawShape(cv::Mat3b& picture, cv::RNG& random) {
    const int size = static_cast<int>(std::exp(random.uniform(std::log(6.0), std::log(200.0))));
    const int x = random.uniform(0, picture.cols);
    // Keep to the band a camera sees; shapes near the poles would only smear.
    const int y = random.uniform(picture.rows / 6, picture.rows * 5 / 6);
    const cv::Scalar colour = randomColour(random);
    switch (random.uniform(0, 5)) {
        case 0:
            drawWrapped(picture, x, size, [&](int shift) {
                cv::rectangle(picture, cv::Rect(x + shift, y, size, size * 2 / 3), colour,
                              cv::FILLED, cv::LINE_AA);
            });
            break;
        case 1:
            drawWrapped(picture, x, size, [&](int shift) {
                cv::circle(picture, {x + shift, y}, size / 2, colour, cv::FILLED, cv::LINE_AA);
            });
            break;
        case 2: {
            std::vector<cv::Point> corners(5);
            for (cv::Point& corner : corners) {
                corner = {x + random.uniform(-size, size), y + random.uniform(-size, size)};
            }
            drawWrapped(picture, x, size, [&](int shift) {
                std::vector<cv::Point> moved = corners;
                for (cv::Point& p : moved) {
                    p.x += shift;
                }
                cv::fillPoly(picture, std::vector<std::vector<cv::Point>>{moved}, colour,
                             cv::LINE_AA);
            });
            break;
        }
        case 3: {
            const cv::Point reach(random.uniform(-size, size), random.uniform(-size, size));
            drawWrapped(picture, x, size, [&](int shift) {
                const cv::Point start(x + shift, y);
                cv::line(picture, start, start + reach, colour, std::max(1, size / 20),
                         cv::LINE_AA);
            });
            break;
        }
        default: {
            std::string text;
            for (int i = 0; i < 6; ++i) {
                text += static_cast<char>('A' + random.uniform(0, 26));
            }
            const double scale = std::max(0.4, size / 60.0);
            drawWrapped(picture, x, size * 3, [&](int shift) {
                cv::putText(picture, text, {x + shift, y}, cv::FONT_HERSHEY_SIMPLEX, scale, colour,
                            std::max(1, size / 30), cv::LINE_AA);
            });
            break;
        }
    }
}

// Uneven lighting, so that flat colours turn into gradients.
void light(cv::Mat3b& picture, cv::RNG& random) {
    const cv::Size coarse(picture.cols / 16, picture.rows / 16);
    cv::Mat1f gain = fractalNoise(coarse, 6, 48, random);
    gain.convertTo(gain, CV_32F, 0.35, 1.0);
    cv::resize(gain, gain, picture.size(), 0.0, 0.0, cv::INTER_LINEAR);
    cv::Mat3f gain3;
    cv::merge(std::vector<cv::Mat1f>{gain, gain, gain}, gain3);
    cv::multiply(picture, gain3, picture, 1.0, CV_8UC3);
}

// Fine texture, like fabric, foliage or rough plaster, strong in some places and absent in
// others, as a room has both patterned and plain surfaces.
void addFineTexture(cv::Mat3b& picture, cv::RNG& random) {
    cv::Mat1f fine(picture.size());
    random.fill(fine, cv::RNG::NORMAL, 0.0, 1.0);
    cv::GaussianBlur(fine, fine, cv::Size(0, 0), 1.2);
    const cv::Size coarse(picture.cols / 8, picture.rows / 8);
    cv::Mat1f strength = noise(coarse, 12, random);
    cv::max(strength, 0.0F, strength);
    strength *= 90.0F;
    cv::resize(strength, strength, picture.size(), 0.0, 0.0, cv::INTER_LINEAR);
    cv::Mat1f grain;
    cv::multiply(fine, strength, grain);
    cv::Mat3f grain3;
    cv::merge(std::vector<cv::Mat1f>{grain, grain, grain}, grain3);
    cv::add(picture, grain3, picture, cv::noArray(), CV_8UC3);
}

// A smooth sky-like gradient over the wall's columns, feathered into the texture at its sides.
void paintWall(cv::Mat3b& picture, const BlankWall& wall) {
    const double from = PanoramaView::columnForYaw(wall.toYawDegrees * CV_PI / 180.0, picture.cols);
    const double to = PanoramaView::columnForYaw(wall.fromYawDegrees * CV_PI / 180.0, picture.cols);
    const double feather = picture.cols / 72.0;
    for (int y = 0; y < picture.rows; ++y) {
        const double shade = 140.0 + 64.0 * y / picture.rows;
        const cv::Vec3d plain(shade, shade * 0.98, shade * 0.95);
        for (int x = 0; x < picture.cols; ++x) {
            // Distance into the wall, measured around the seam as well.
            double inside = -feather;
            for (const int turn : {-picture.cols, 0, picture.cols}) {
                inside = std::max(inside, std::min(x + turn - from, to - x - turn));
            }
            const double weight = std::clamp(inside / feather, 0.0, 1.0);
            if (weight > 0.0) {
                cv::Vec3b& pixel = picture(y, x);
                pixel = cv::Vec3d(pixel) * (1.0 - weight) + plain * weight;
            }
        }
    }
}

}  // namespace

cv::Mat makePanorama(int width, std::uint32_t seed, std::optional<BlankWall> wall) {
    cv::RNG random(seed);
    cv::Mat3b picture = background(cv::Size(width, width / 2), random);
    const int shapes = width / 3;
    for (int i = 0; i < shapes; ++i) {
        drawShape(picture, random);
    }
    light(picture, random);
    addFineTexture(picture, random);
    if (wall) {
        paintWall(picture, *wall);
    }
    // A lens never draws a perfectly sharp edge.
    cv::GaussianBlur(picture, picture, cv::Size(0, 0), 0.7);
    return picture;
}

}  // namespace rovuzu
