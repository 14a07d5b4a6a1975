#pragma once

#include <filesystem>
#include <glm/gtc/quaternion.hpp>
#include <opencv2/core/mat.hpp>
#include <string>

#include "platform/world/tracking/CameraFrame.hpp"
#include "tools/trackeval/RotationPath.hpp"
#include "tools/trackeval/SyntheticSequence.hpp"

namespace rovuzu::testing {

// Small pictures keep the tests quick in a debug build too.
inline const cv::Size kTestPictureSize(320, 240);

// One procedural panorama for all tests, made once.
const cv::Mat& testPanorama();

// A 320x240, 30 frames a second sequence along `path`.
SyntheticSequence::Settings testSettings(const std::string& name, RotationPath path);

// The angle in degrees between the tracker's orientation and the truth relative to the first
// frame.
double errorDegrees(const glm::quat& estimate, const glm::dmat3& origin, const glm::dmat3& truth);

// Films `frames` pictures of a pan of `degrees` to the left over one second of the sequence
// into an MJPEG video at 50 frames a second (quick to play), 320x240.
void writePanVideo(const std::filesystem::path& file, int frames, double degrees);

// A picture without anything to track: an even grey with faint sensor noise.
CameraFrame blankFrame(int width, int height, double time, int seed);

// A fresh empty folder, removed again with the object.
class TemporaryFolder {
  public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

}  // namespace rovuzu::testing
