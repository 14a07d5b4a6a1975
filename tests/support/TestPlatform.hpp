#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/foundation/NSBundle.hpp"
#include "platform/foundation/VirtualClock.hpp"
#include "platform/spritekit/AudioOutput.hpp"

namespace rovuzu {

class SKView;

// Remembers every sound asked for, so tests can hear the game without a sound card.
class RecordingAudio final : public AudioOutput {
  public:
    void playSound(const NSURL& file) override { sounds.push_back(file.filename().string()); }
    MusicId startMusic(const NSURL& file, bool loops) override;
    void stopMusic(MusicId music) override { playing.erase(music); }

    std::vector<std::string> sounds;
    std::map<MusicId, std::string> playing;
    MusicId lastId = 0;
};

// A fresh platform for each test: a virtual clock at zero, captured stdout and stderr, a
// recording audio output, an empty main run loop, a seeded random source, and a main bundle
// in a scratch folder holding the resources the test writes there.
class PlatformTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the start of a PNG of the given size: enough for the scene graph, which reads
    // only the header.
    void addImage(const std::string& name, int width, int height) const;
    void addFile(const std::string& fileName, const std::string& contents = "x") const;
    // The game's images and its hit sound.
    void addGameResources() const;
    // Those, and the repository's app configuration, main interface and scene file: all the
    // application needs to launch as the game.
    void addLaunchResources() const;

    // Runs the main loop on the virtual clock until `time`: timers at their exact due times,
    // frames of `view` (when given) at 60 per second.
    void runUntil(double time, SKView* view = nullptr);

    [[nodiscard]] std::vector<std::string> outLines() const;

    VirtualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    RecordingAudio audio;
    std::filesystem::path bundle;

  private:
    long frame_ = 0;
};

}  // namespace rovuzu
