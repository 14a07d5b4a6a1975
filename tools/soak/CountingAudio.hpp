#pragma once

#include <cstdint>
#include <set>

#include "platform/spritekit/AudioOutput.hpp"

namespace rovuzu {

// A sound card that only counts: sound effects started, and pieces of music still playing.
class CountingAudio final : public AudioOutput {
  public:
    void playSound(const NSURL& /*file*/) override { ++sounds_; }
    MusicId startMusic(const NSURL& file, bool loops) override;
    void stopMusic(MusicId music) override { playing_.erase(music); }

    [[nodiscard]] std::int64_t sounds() const { return sounds_; }
    [[nodiscard]] std::size_t musicPlaying() const { return playing_.size(); }

  private:
    std::int64_t sounds_ = 0;
    std::set<MusicId> playing_;
    MusicId lastId_ = 0;
};

}  // namespace rovuzu
