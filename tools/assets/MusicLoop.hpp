#pragma once

#include "AudioBuffer.hpp"
#include "Random.hpp"

namespace rovuzu {

// The background music: eight bars of light synth-pop at 125 BPM (15.36 s) over an
// Am-F-C-G progression, meant to repeat quietly under the game.
class MusicLoop {
  public:
    static constexpr int kBeatsPerMinute = 125;
    static constexpr int kBars = 8;
    static constexpr std::size_t kSixteenth = kSampleRate * 60 / kBeatsPerMinute / 4;
    static constexpr std::size_t kBar = 16 * kSixteenth;

    // Exactly kBars bars of stereo; notes ringing past the end continue at the start.
    AudioBuffer render();

  private:
    void drums(AudioBuffer& mix);
    static void bassLine(AudioBuffer& mix);
    static void chords(AudioBuffer& mix);
    static void arpeggio(AudioBuffer& mix);

    Random random_{0x726f76757a75ULL};
};

}  // namespace rovuzu
