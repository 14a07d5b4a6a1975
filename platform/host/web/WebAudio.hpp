#pragma once

#include <map>
#include <string>

#include "platform/spritekit/AudioOutput.hpp"

namespace rovuzu {

// Sound through the page's Web Audio, which the start tap unlocked. Each file is read from the
// packed resources and decoded once; the music, which the build leaves out of them so that the
// page starts sooner, is fetched from next to the page when it is first played, and begins when
// it arrives. Where the page has no sound, the game plays silently.
class WebAudio final : public AudioOutput {
  public:
    void playSound(const NSURL& file) override;
    MusicId startMusic(const NSURL& file, bool loops) override;
    void stopMusic(MusicId music) override;

  private:
    // The page's number for the file's sound; 0 when there is none.
    int sound(const NSURL& file);

    std::map<std::string, int> sounds_;
    std::map<MusicId, int> playing_;
    MusicId lastId_ = 0;
};

}  // namespace rovuzu
