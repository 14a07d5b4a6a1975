#include <gtest/gtest.h>

#include <fstream>
#include <opencv2/core.hpp>

#include "platform/world/tracking/CalibrationFile.hpp"
#include "tests/world/tracking/TrackingTestSupport.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

void writeCalibration(const std::filesystem::path& file, const cv::Mat& matrix, bool withSize) {
    cv::FileStorage out(file.string(), cv::FileStorage::WRITE);
    if (withSize) {
        out << "image_width" << 1280 << "image_height" << 720;
    }
    out << "camera_matrix" << matrix;
    out << "distortion_coefficients" << cv::Mat::zeros(1, 5, CV_64F);
}

const cv::Mat kMatrix = (cv::Mat_<double>(3, 3) << 900, 0, 640.5, 0, 905, 358.5, 0, 0, 1);

TEST(CalibrationFile, ReadsWhatOpenCVWritesInYamlAndJson) {
    const TemporaryFolder folder;
    for (const char* name : {"camera.yml", "camera.json", "camera.xml"}) {
        writeCalibration(folder.path() / name, kMatrix, true);
        const auto read = CalibrationFile::read((folder.path() / name).string());
        ASSERT_TRUE(read.intrinsics) << name << ": " << read.problem;
        EXPECT_EQ(read.intrinsics->width(), 1280);
        EXPECT_EQ(read.intrinsics->height(), 720);
        EXPECT_EQ(read.intrinsics->focalLengths(), glm::dvec2(900, 905));
        EXPECT_EQ(read.intrinsics->principalPoint(), glm::dvec2(640.5, 358.5));
    }
    writeCalibration(folder.path() / "unsized.yml", kMatrix, false);
    const auto unsized = CalibrationFile::read((folder.path() / "unsized.yml").string());
    ASSERT_TRUE(unsized.intrinsics) << unsized.problem;
    EXPECT_EQ(unsized.intrinsics->width(), 0) << "for the camera's own pictures";
}

TEST(CalibrationFile, AFileItCannotUseIsOneLineNamingIt) {
    const TemporaryFolder folder;
    const auto write = [&folder](const char* name, const std::string& text) {
        std::ofstream(folder.path() / name) << text;
        return (folder.path() / name).string();
    };
    writeCalibration(folder.path() / "small.yml", cv::Mat::eye(2, 2, CV_64F), true);
    writeCalibration(folder.path() / "flat.yml", cv::Mat::zeros(3, 3, CV_64F), true);
    const std::pair<std::string, std::string> broken[] = {
        {(folder.path() / "missing.yml").string(),
         "cannot read the camera calibration (no such file)"},
        {write("garbage.yml", "%YAML:1.0\n: : [\n"), "not a calibration file OpenCV can read"},
        {write("other.yml", "%YAML:1.0\nsomething: 3\n"),
         "no 3x3 camera_matrix in the calibration"},
        {(folder.path() / "small.yml").string(), "no 3x3 camera_matrix in the calibration"},
        {(folder.path() / "flat.yml").string(),
         "the calibration's camera_matrix has no usable focal lengths"},
        {write("size.yml",
               "%YAML:1.0\nimage_width: -4\nimage_height: 720\ncamera_matrix: !!opencv-matrix\n"
               "   rows: 3\n   cols: 3\n   dt: d\n   data: [ 900., 0., 640., 0., 900., 360., 0., "
               "0., 1. ]\n"),
         "the calibration's image_width and image_height are not a size"},
    };
    for (const auto& [file, problem] : broken) {
        const auto read = CalibrationFile::read(file);
        EXPECT_FALSE(read.intrinsics) << file;
        EXPECT_EQ(read.problem, file + ": " + problem);
    }
}

}  // namespace
}  // namespace rovuzu
