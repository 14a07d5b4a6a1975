#pragma once

#include <cstddef>
#include <filesystem>
#include <vector>

#include "Dsp.hpp"

namespace rovuzu {

// Interleaved float samples at kSampleRate, written out as 16-bit PCM WAV.
class AudioBuffer {
  public:
    AudioBuffer(int channels, std::size_t frames);

    [[nodiscard]] std::size_t frames() const {
        return samples_.size() / static_cast<std::size_t>(channels_);
    }
    float& at(std::size_t frame, int channel) {
        return samples_[frame * static_cast<std::size_t>(channels_) +
                        static_cast<std::size_t>(channel)];
    }

    // Adds a mono voice from frame `start`, panned with equal power (-1 left, +1 right);
    // whatever runs past the end is dropped.
    void mix(const Voice& voice, std::size_t start, float gain, float pan = 0.0f);
    void mix(const AudioBuffer& other, float gain);
    // Wraps everything past `period` frames back onto the start, as a looping player would
    // overlap it, so that the returned loop joins onto itself without a seam.
    [[nodiscard]] AudioBuffer folded(std::size_t period) const;
    // Scales so that the loudest sample sits at `peakDbfs`.
    void normalise(float peakDbfs);
    void writeWav(const std::filesystem::path& file) const;

  private:
    int channels_;
    std::vector<float> samples_;
};

}  // namespace rovuzu
