#pragma once

#include <cstdint>
#include <functional>
#include <opencv2/core/mat.hpp>
#include <optional>

#include "tools/trackeval/PanoramaView.hpp"
#include "tools/trackeval/RotationPath.hpp"
#include "tools/trackeval/Sequence.hpp"

namespace rovuzu {

// A virtual camera filming a panorama along a known path, with a real camera's troubles added.
class SyntheticSequence final : public Sequence {
  public:
    struct Gyro {
        double noise;     // rad/s, standard deviation of each reading
        glm::dvec3 bias;  // rad/s, constant
        double rate;      // readings per second
    };

    struct Settings {
        std::string name;
        RotationPath path;
        cv::Size size{640, 480};
        double framesPerSecond = 30.0;
        double fieldOfViewDegrees = 60.0;
        // Sensor noise, in grey levels (standard deviation).
        double noise = 0.0;
        // Seconds the shutter stays open, spread over this many sub-pictures; 0 for sharp ones.
        double exposureTime = 0.0;
        int exposureSamples = 1;
        // Brightness gain over time, as automatic exposure changes it; none for a steady 1.
        std::function<double(double)> gain{};
        std::optional<Gyro> gyro{};
        std::uint32_t seed = 1;
    };

    SyntheticSequence(Settings settings, const cv::Mat& panorama);

    [[nodiscard]] const std::string& name() const override { return settings_.name; }
    [[nodiscard]] int frameCount() const override;
    [[nodiscard]] double fieldOfViewDegrees() const override {
        return settings_.fieldOfViewDegrees;
    }
    bool frame(int index, CameraFrame& picture, glm::dmat3& truth) override;
    [[nodiscard]] std::vector<GyroReading> gyro() const override;

  private:
    void film(double time, cv::Mat& picture);

    Settings settings_;
    PanoramaView view_;
    cv::Mat sharp_;
    cv::Mat3f sum_;
};

}  // namespace rovuzu
