#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/world/tracking/YawPitchRoll.hpp"
#include "tools/trackeval/Sequence.hpp"

namespace rovuzu {

// A sequence recorded elsewhere: PNG pictures in a folder, taken in the order of their names,
// and a CSV file with one line "time,yaw_deg,pitch_deg,roll_deg" per picture (a header line
// is allowed), in the game's device angles.
class FrameDirectory final : public Sequence {
  public:
    struct Opened {
        std::unique_ptr<FrameDirectory> sequence;
        std::string problem;  // when null: one line naming the file and what is wrong
    };

    static Opened open(const std::filesystem::path& folder, const std::filesystem::path& truth,
                       double fieldOfViewDegrees, std::string name);

    [[nodiscard]] const std::string& name() const override { return name_; }
    [[nodiscard]] int frameCount() const override { return static_cast<int>(pictures_.size()); }
    [[nodiscard]] double fieldOfViewDegrees() const override { return fieldOfViewDegrees_; }
    bool frame(int index, CameraFrame& picture, glm::dmat3& truth) override;

  private:
    struct Truth {
        double time = 0.0;
        YawPitchRoll angles;
    };

    FrameDirectory(std::vector<std::filesystem::path> pictures, std::vector<Truth> truth,
                   double fieldOfViewDegrees, std::string name);

    std::vector<std::filesystem::path> pictures_;
    std::vector<Truth> truth_;
    double fieldOfViewDegrees_;
    std::string name_;
};

}  // namespace rovuzu
