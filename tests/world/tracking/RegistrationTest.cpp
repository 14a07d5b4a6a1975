// Targets stay on the camera's picture: the game plays clips of a camera turning on the spot,
// filmed here from a panorama with exact rotations, and a target must keep to the spot of the
// picture it first appeared on, in portrait and landscape, for 4:3 and 16:9 cameras, at two
// fields of view and with a calibration.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <glm/mat3x3.hpp>
#include <glm/vec3.hpp>
#include <opencv2/core.hpp>
#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <optional>
#include <string>
#include <vector>

#include "platform/world/tracking/YawPitchRoll.hpp"
#include "tests/world/tracking/TrackingTestSupport.hpp"
#include "tools/trackeval/PanoramaView.hpp"
#include "tools/trackeval/RotationPath.hpp"

namespace rovuzu {
namespace {

using testing::TemporaryFolder;

constexpr double kFramesPerSecond = 15.0;
constexpr double kPixelsPerPoint = 2.0;  // of the game's screenshots
// Seed 362 places its first target, at 3 s, 7.5 degrees from straight ahead; the camera is
// still until just after it shows, then turns right and down, and back past the start.
constexpr const char* kSeed = "362";
constexpr double kFirstShot = 3.1;
constexpr double kLastShot = 6.5;
constexpr double kShotEvery = 0.2;

// A camera's picture: its size and how it was filmed, as the game is told.
struct Camera {
    int width;
    int height;
    double fx;
    double fy;
    double cx;  // pixel centres on whole numbers
    double cy;
    std::string option;  // what the command line tells the game of it, if anything

    static Camera ofFieldOfView(int width, int height, double degrees, std::string option) {
        const double f = std::max(width, height) / 2.0 / std::tan(degrees * CV_PI / 360.0);
        return {width, height, f, f, (width - 1) / 2.0, (height - 1) / 2.0, std::move(option)};
    }
};

struct Case {
    std::string name;
    int viewWidth;  // points
    int viewHeight;
    Camera camera;
    // Writes the calibration file the game is given, if any.
    std::function<void(const std::filesystem::path&)> calibration;
};

// OpenCV's own calibration file for `camera`, made, as calibrations often are, from pictures
// twice the size of the clip's.
void writeCalibration(const std::filesystem::path& file, const Camera& camera) {
    cv::FileStorage out(file.string(), cv::FileStorage::WRITE);
    out << "image_width" << 2 * camera.width << "image_height" << 2 * camera.height;
    const cv::Mat matrix = (cv::Mat_<double>(3, 3) << 2 * camera.fx, 0, 2 * camera.cx + 0.5, 0,
                            2 * camera.fy, 2 * camera.cy + 0.5, 0, 0, 1);
    out << "camera_matrix" << matrix;
    out << "distortion_coefficients" << cv::Mat::zeros(1, 5, CV_64F);
}

const RotationPath& turn() {
    static const RotationPath path(
        {{0, 0, 0, 0}, {3.3, 0, 0, 0}, {4.8, -6, -4, 0}, {6.6, 4, 3, 2}});
    return path;
}

// The test's panorama without its colours, so that the targets' colours stand out.
cv::Mat greyPanorama() {
    cv::Mat grey;
    cv::Mat bgr;
    cv::cvtColor(testing::testPanorama(), grey, cv::COLOR_BGR2GRAY);
    cv::cvtColor(grey, bgr, cv::COLOR_GRAY2BGR);
    return bgr;
}

glm::dmat3 truthAt(double time) {
    return rotationFromYawPitchRoll(turn().at(time));
}

void film(const std::filesystem::path& file, const Camera& camera) {
    cv::VideoWriter writer(file.string(), cv::VideoWriter::fourcc('M', 'J', 'P', 'G'),
                           kFramesPerSecond, cv::Size(camera.width, camera.height));
    ASSERT_TRUE(writer.isOpened());
    writer.set(cv::VIDEOWRITER_PROP_QUALITY, 100);
    const PanoramaView view(
        greyPanorama(), CameraIntrinsics::fromCalibration(camera.width, camera.height, camera.fx,
                                                          camera.fy, camera.cx, camera.cy));
    cv::Mat picture;
    const auto frames = static_cast<int>(turn().duration() * kFramesPerSecond);
    for (int i = 0; i <= frames; ++i) {
        view.render(truthAt(i / kFramesPerSecond), picture);
        writer.write(picture);
    }
}

// Where the view shows a picture's pixel, in screenshot pixels: the picture covers the view,
// its middle kept, never stretched.
struct Cover {
    double scale;  // screenshot pixels per picture pixel
    double x;      // the picture's left and top edges in the screenshot
    double y;

    Cover(const Camera& camera, int viewWidth, int viewHeight)
        : scale(kPixelsPerPoint * std::max(static_cast<double>(viewWidth) / camera.width,
                                           static_cast<double>(viewHeight) / camera.height)),
          x((kPixelsPerPoint * viewWidth - camera.width * scale) / 2.0),
          y((kPixelsPerPoint * viewHeight - camera.height * scale) / 2.0) {}

    [[nodiscard]] cv::Point2d toShot(cv::Point2d pixel) const {
        return {x + (pixel.x + 0.5) * scale, y + (pixel.y + 0.5) * scale};
    }
    [[nodiscard]] cv::Point2d toPicture(cv::Point2d shot) const {
        return {(shot.x - x) / scale - 0.5, (shot.y - y) / scale - 0.5};
    }
};

glm::dvec3 rayThrough(const Camera& camera, cv::Point2d pixel) {
    return {(pixel.x - camera.cx) / camera.fx, -(pixel.y - camera.cy) / camera.fy, -1.0};
}

cv::Point2d pixelOf(const Camera& camera, const glm::dvec3& ray) {
    return {camera.cx + camera.fx * ray.x / -ray.z, camera.cy - camera.fy * ray.y / -ray.z};
}

// The middle of the box holding the screenshot's strongly coloured pixels: the one target in
// view, over a grey picture.
std::optional<cv::Point2d> targetIn(const std::filesystem::path& shot) {
    const cv::Mat picture = cv::imread(shot.string());
    if (picture.empty()) {
        return std::nullopt;
    }
    cv::Mat hsv;
    cv::cvtColor(picture, hsv, cv::COLOR_BGR2HSV);
    cv::Mat coloured;
    cv::inRange(hsv, cv::Scalar(0, 120, 60), cv::Scalar(180, 255, 255), coloured);
    const cv::Rect box = cv::boundingRect(coloured);
    if (box.area() == 0) {
        return std::nullopt;
    }
    return cv::Point2d(box.x + box.width / 2.0, box.y + box.height / 2.0);
}

// How far, in screenshot pixels, the target strays from the spot of the picture it showed on
// in the first screenshot, in each screenshot after it.
std::vector<double> strays(const Case& test) {
    const TemporaryFolder folder;
    const auto clip = folder.path() / "turn.avi";
    film(clip, test.camera);
    if (test.calibration) {
        test.calibration(folder.path() / "calibration.yml");
    }
    std::ofstream script(folder.path() / "shots.txt");
    script << "# seed " << kSeed << "\n";
    std::vector<double> times;
    for (double t = kFirstShot; t <= kLastShot + 1e-9; t += kShotEvery) {
        times.push_back(t);
        script << t << " screenshot "
               << (folder.path() / (std::to_string(times.size()) + ".png")).string() << "\n";
    }
    script << kLastShot + 0.05 << " quit\n";
    script.close();
    const std::string command =
        std::string(ROVUZU_BINARY) + " --headless --view " + std::to_string(test.viewWidth) + "x" +
        std::to_string(test.viewHeight) + " --camera-file '" + clip.string() + "' " +
        test.camera.option +
        (test.calibration
             ? " --camera-calibration '" + (folder.path() / "calibration.yml").string() + "'"
             : std::string{}) +
        " --script '" + (folder.path() / "shots.txt").string() + "' >/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;

    const Cover cover(test.camera, test.viewWidth, test.viewHeight);
    // The picture shown at a time is the clip's last frame due by then.
    const auto shownAt = [](double t) {
        return std::floor(t * kFramesPerSecond + 1e-6) / kFramesPerSecond;
    };
    const auto first = targetIn(folder.path() / "1.png");
    EXPECT_TRUE(first) << test.name << ": no target in the first screenshot";
    if (!first) {
        return {};
    }
    const glm::dvec3 world =
        truthAt(shownAt(times[0])) * rayThrough(test.camera, cover.toPicture(*first));
    std::vector<double> distances;
    for (std::size_t i = 1; i < times.size(); ++i) {
        const auto found = targetIn(folder.path() / (std::to_string(i + 1) + ".png"));
        EXPECT_TRUE(found) << test.name << ": no target at " << times[i] << " s";
        if (found) {
            const glm::dvec3 seen = glm::transpose(truthAt(shownAt(times[i]))) * world;
            const cv::Point2d spot = cover.toShot(pixelOf(test.camera, seen));
            distances.push_back(std::hypot(found->x - spot.x, found->y - spot.y));
        }
    }
    return distances;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

TEST(Registration, ATargetKeepsToItsSpotOnTheCamerasPicture) {
    const Camera fourThree = Camera::ofFieldOfView(640, 480, 60.0, "");
    const Camera sixteenNine = Camera::ofFieldOfView(640, 360, 60.0, "");
    // Not square pixels, and the principal point off the middle.
    const Camera calibrated{640, 480, 610.0, 590.0, 331.5, 228.5, ""};
    const std::vector<Case> cases{
        {"portrait 4:3", 375, 667, fourThree, {}},
        {"portrait 16:9", 375, 667, sixteenNine, {}},
        {"landscape 4:3", 667, 375, fourThree, {}},
        {"landscape 16:9", 667, 375, sixteenNine, {}},
        {"portrait 4:3 at 75 degrees",
         375,
         667,
         Camera::ofFieldOfView(640, 480, 75.0, "--camera-fov 75"),
         {}},
        {"landscape 16:9 at 45 degrees",
         667,
         375,
         Camera::ofFieldOfView(640, 360, 45.0, "--camera-fov 45"),
         {}},
        {"portrait 4:3 calibrated", 375, 667, calibrated,
         [&calibrated](const auto& file) { writeCalibration(file, calibrated); }},
    };
    for (const Case& test : cases) {
        const std::vector<double> distances = strays(test);
        ASSERT_FALSE(distances.empty()) << test.name;
        const double worst = *std::max_element(distances.begin(), distances.end());
        std::cout << "registration, " << test.name << ": median " << median(distances)
                  << " px, worst " << worst << " px over " << distances.size() << " shots\n";
        EXPECT_LE(median(distances), 2.0) << test.name;
    }
}

}  // namespace
}  // namespace rovuzu
