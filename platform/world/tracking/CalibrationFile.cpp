#include "platform/world/tracking/CalibrationFile.hpp"

#include <cmath>
#include <filesystem>
#include <opencv2/core.hpp>
#include <system_error>

namespace rovuzu {

namespace {

constexpr int kLargestSide = 16384;

CalibrationFile::Read problem(const std::string& path, const std::string& why) {
    return {std::nullopt, path + ": " + why};
}

// A picture size the file gives, 0 where it gives none; -1 for one that cannot be.
int sideIn(const cv::FileStorage& file, const char* key) {
    const cv::FileNode node = file[key];
    if (node.empty()) {
        return 0;
    }
    const double side = node.isInt() || node.isReal() ? static_cast<double>(node) : -1.0;
    return side >= 1.0 && side <= kLargestSide && std::floor(side) == side ? static_cast<int>(side)
                                                                           : -1;
}

}  // namespace

CalibrationFile::Read CalibrationFile::read(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return problem(path, "cannot read the camera calibration (no such file)");
    }
    cv::Mat matrix;
    int width = 0;
    int height = 0;
    try {
        const cv::FileStorage file(path, cv::FileStorage::READ);
        if (!file.isOpened()) {
            return problem(path, "not a calibration file OpenCV can read");
        }
        file["camera_matrix"] >> matrix;
        width = sideIn(file, "image_width");
        height = sideIn(file, "image_height");
    } catch (const cv::Exception&) {
        return problem(path, "not a calibration file OpenCV can read");
    }
    if (matrix.rows != 3 || matrix.cols != 3 || matrix.channels() != 1) {
        return problem(path, "no 3x3 camera_matrix in the calibration");
    }
    matrix.convertTo(matrix, CV_64F);
    const double fx = matrix.at<double>(0, 0);
    const double fy = matrix.at<double>(1, 1);
    const double cx = matrix.at<double>(0, 2);
    const double cy = matrix.at<double>(1, 2);
    if (!(fx > 0.0 && fy > 0.0 && std::isfinite(fx) && std::isfinite(fy) && std::isfinite(cx) &&
          std::isfinite(cy))) {
        return problem(path, "the calibration's camera_matrix has no usable focal lengths");
    }
    if (width < 0 || height < 0 || (width == 0) != (height == 0)) {
        return problem(path, "the calibration's image_width and image_height are not a size");
    }
    return {CameraIntrinsics::fromCalibration(width, height, fx, fy, cx, cy), {}};
}

}  // namespace rovuzu
