#include "tools/trackeval/SyntheticSequence.hpp"

#include <cmath>
#include <opencv2/imgproc.hpp>

#include "platform/world/tracking/RotationVector.hpp"

namespace rovuzu {

SyntheticSequence::SyntheticSequence(Settings settings, const cv::Mat& panorama)
    : settings_(std::move(settings)),
      view_(panorama, CameraIntrinsics::fromFieldOfView(settings_.size.width, settings_.size.height,
                                                        settings_.fieldOfViewDegrees)) {}

int SyntheticSequence::frameCount() const {
    return static_cast<int>(std::floor(settings_.path.duration() * settings_.framesPerSecond)) + 1;
}

bool SyntheticSequence::frame(int index, CameraFrame& picture, glm::dmat3& truth) {
    const double time = index / settings_.framesPerSecond;
    truth = rotationFromYawPitchRoll(settings_.path.at(time));
    cv::Mat bgr;
    film(time, bgr);
    if (settings_.gain || settings_.noise > 0.0) {
        cv::Mat1f noise(bgr.rows, bgr.cols * 3);
        cv::RNG random(static_cast<std::uint64_t>(settings_.seed) * 7919U +
                       static_cast<std::uint64_t>(index));
        random.fill(noise, cv::RNG::NORMAL, 0.0, settings_.noise);
        const double gain = settings_.gain ? settings_.gain(time) : 1.0;
        cv::Mat1f light;
        bgr.reshape(1).convertTo(light, CV_32F, gain);
        light += noise;
        light.reshape(3).convertTo(bgr, CV_8UC3);
    }
    picture.width = bgr.cols;
    picture.height = bgr.rows;
    picture.time = time;
    picture.rgb.resize(static_cast<std::size_t>(bgr.total()) * 3);
    cv::Mat rgb(bgr.rows, bgr.cols, CV_8UC3, picture.rgb.data());
    cv::cvtColor(bgr, rgb, cv::COLOR_BGR2RGB);
    return true;
}

// Motion blur is the average of sharp pictures over the time the shutter is open.
void SyntheticSequence::film(double time, cv::Mat& picture) {
    const int samples = settings_.exposureTime > 0.0 ? std::max(1, settings_.exposureSamples) : 1;
    if (samples == 1) {
        view_.render(rotationFromYawPitchRoll(settings_.path.at(time)), picture);
        return;
    }
    sum_ = cv::Mat3f::zeros(settings_.size);
    for (int i = 0; i < samples; ++i) {
        const double offset =
            (static_cast<double>(i) / (samples - 1) - 0.5) * settings_.exposureTime;
        view_.render(rotationFromYawPitchRoll(settings_.path.at(time + offset)), sharp_);
        cv::accumulate(sharp_, sum_);
    }
    sum_.convertTo(picture, CV_8UC3, 1.0 / samples);
}

// Each reading is the exact mean rate until the next one, so that integrating the readings
// without noise or bias retraces the path.
std::vector<GyroReading> SyntheticSequence::gyro() const {
    std::vector<GyroReading> readings;
    if (!settings_.gyro) {
        return readings;
    }
    const Gyro& gyro = *settings_.gyro;
    cv::RNG random(static_cast<std::uint64_t>(settings_.seed) * 104729U);
    const double step = 1.0 / gyro.rate;
    const auto count = static_cast<int>(std::ceil(settings_.path.duration() * gyro.rate)) + 1;
    for (int i = 0; i < count; ++i) {
        const double time = i * step;
        const glm::dmat3 from = rotationFromYawPitchRoll(settings_.path.at(time));
        const glm::dmat3 to = rotationFromYawPitchRoll(settings_.path.at(time + step));
        const glm::dvec3 noise(random.gaussian(gyro.noise), random.gaussian(gyro.noise),
                               random.gaussian(gyro.noise));
        readings.push_back(
            {vectorFromRotation(glm::transpose(from) * to) / step + gyro.bias + noise, time});
    }
    return readings;
}

}  // namespace rovuzu
