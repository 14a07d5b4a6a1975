#include "platform/world/tracking/CornerDetection.hpp"

#include <algorithm>
#include <opencv2/features2d.hpp>
#include <opencv2/imgproc.hpp>

namespace rovuzu {
namespace {

constexpr int kMinDistance = 10;
// Corners nearer the edge than this leave the picture before they are worth anything.
constexpr int kBorder = 8;
constexpr int kCellSize = 40;

struct Grid {
    int columns;
    int rows;
    std::vector<int> counts;

    explicit Grid(cv::Size size)
        : columns((size.width + kCellSize - 1) / kCellSize),
          rows((size.height + kCellSize - 1) / kCellSize),
          counts(static_cast<std::size_t>(columns) * rows, 0) {}

    int& at(const cv::Point2f& point) {
        const int column = std::clamp(static_cast<int>(point.x) / kCellSize, 0, columns - 1);
        const int row = std::clamp(static_cast<int>(point.y) / kCellSize, 0, rows - 1);
        return counts[static_cast<std::size_t>(row) * columns + column];
    }
};

std::vector<cv::KeyPoint> strongestCorners(const cv::Mat& gray, int threshold) {
    std::vector<cv::KeyPoint> corners;
    cv::FAST(gray, corners, threshold, true);
    const cv::Rect inside(kBorder, kBorder, gray.cols - 2 * kBorder, gray.rows - 2 * kBorder);
    std::erase_if(corners, [&](const cv::KeyPoint& k) { return !inside.contains(k.pt); });
    std::sort(corners.begin(), corners.end(),
              [](const cv::KeyPoint& a, const cv::KeyPoint& b) { return a.response > b.response; });
    return corners;
}

}  // namespace

std::vector<cv::Point2f> detectCorners(const cv::Mat& gray,
                                       const std::vector<cv::Point2f>& existing, int wanted,
                                       int threshold) {
    std::vector<cv::Point2f> found;
    if (gray.cols <= 2 * kBorder || gray.rows <= 2 * kBorder || wanted <= 0) {
        return found;
    }
    cv::Mat1b free(gray.size(), 255);
    Grid grid(gray.size());
    for (const cv::Point2f& point : existing) {
        cv::circle(free, point, kMinDistance, 0, cv::FILLED);
        ++grid.at(point);
    }
    const int total = static_cast<int>(existing.size()) + wanted;
    const int perCell =
        std::max(1, (total + grid.columns * grid.rows - 1) / (grid.columns * grid.rows));
    const std::vector<cv::KeyPoint> corners = strongestCorners(gray, threshold);
    // First spread the corners evenly; then let textured cells make up for blank ones.
    for (const int cap : {perCell, total}) {
        for (const cv::KeyPoint& corner : corners) {
            if (static_cast<int>(found.size()) >= wanted) {
                return found;
            }
            int& inCell = grid.at(corner.pt);
            if (inCell >= cap || free(cv::Point(corner.pt)) == 0) {
                continue;
            }
            ++inCell;
            found.push_back(corner.pt);
            cv::circle(free, corner.pt, kMinDistance, 0, cv::FILLED);
        }
    }
    return found;
}

}  // namespace rovuzu
