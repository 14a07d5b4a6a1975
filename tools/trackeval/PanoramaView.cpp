#include "tools/trackeval/PanoramaView.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <opencv2/imgproc.hpp>
#include <thread>

namespace rovuzu {
double PanoramaView::columnForYaw(double yaw, int panoramaWidth) {
    return (-yaw / (2.0 * std::numbers::pi) + 0.5) * panoramaWidth - 0.5;
}

PanoramaView::PanoramaView(cv::Mat panorama, const CameraIntrinsics& camera)
    : panorama_(std::move(panorama)),
      camera_(camera),
      mapX_(camera.height(), camera.width(), CV_32F),
      mapY_(camera.height(), camera.width(), CV_32F) {
    for (int y = 0; y < camera.height(); ++y) {
        for (int x = 0; x < camera.width(); ++x) {
            const glm::dvec3 b = camera.bearing({x, y});
            for (std::size_t axis = 0; axis < 3; ++axis) {
                bearings_[axis].push_back(static_cast<float>(b[static_cast<int>(axis)]));
            }
        }
    }
}

void PanoramaView::render(const glm::dmat3& rotation, cv::Mat& picture) const {
    picture.create(camera_.height(), camera_.width(), panorama_.type());
    // Two bands, one per core: filming is most of the evaluation's time.
    const int middle = camera_.height() / 2;
    const auto band = [&](int first, int end) {
        computeMaps(rotation, first, end);
        const cv::Range rows(first, end);
        cv::Mat out = picture.rowRange(rows);
        cv::remap(panorama_, out, mapX_.rowRange(rows), mapY_.rowRange(rows), cv::INTER_LINEAR,
                  cv::BORDER_WRAP);
    };
    std::thread other(band, middle, camera_.height());
    band(0, middle);
    other.join();
}

void PanoramaView::computeMaps(const glm::dmat3& rotation, int firstRow, int endRow) const {
    const auto width = static_cast<float>(panorama_.cols);
    const auto height = static_cast<float>(panorama_.rows);
    const float pi = std::numbers::pi_v<float>;
    const glm::mat3 m(rotation);
    const int columns = camera_.width();
    for (int y = firstRow; y < endRow; ++y) {
        auto* mx = mapX_.ptr<float>(y);
        auto* my = mapY_.ptr<float>(y);
        const std::size_t row = static_cast<std::size_t>(y) * columns;
        const float* bx = bearings_[0].data() + row;
        const float* by = bearings_[1].data() + row;
        const float* bz = bearings_[2].data() + row;
        for (int x = 0; x < columns; ++x) {
            const glm::vec3 d = m * glm::vec3(bx[x], by[x], bz[x]);
            const float longitude = std::atan2(d.x, -d.z);
            const float latitude = std::asin(std::clamp(d.y, -1.0F, 1.0F));
            mx[x] = (0.5F * longitude / pi + 0.5F) * width - 0.5F;
            my[x] = (0.5F - latitude / pi) * height - 0.5F;
        }
    }
}

}  // namespace rovuzu
