#include "AudioBuffer.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>

namespace rovuzu {

namespace {

void putLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xffu));
    }
}

std::int16_t toPcm16(float sample) {
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

AudioBuffer::AudioBuffer(int channels, std::size_t frames)
    : channels_(channels), samples_(frames * static_cast<std::size_t>(channels)) {}

void AudioBuffer::mix(const Voice& voice, std::size_t start, float gain, float pan) {
    const float angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0f) * std::numbers::pi_v<float> / 4.0f;
    const std::array<float, 2> stereo{std::cos(angle) * std::numbers::sqrt2_v<float>,
                                      std::sin(angle) * std::numbers::sqrt2_v<float>};
    const std::size_t end = std::min(frames(), start + voice.size());
    for (std::size_t frame = start; frame < end; ++frame) {
        const float sample = voice[frame - start] * gain;
        for (int channel = 0; channel < channels_; ++channel) {
            at(frame, channel) +=
                channels_ == 2 ? sample * stereo[static_cast<std::size_t>(channel)] : sample;
        }
    }
}

void AudioBuffer::mix(const AudioBuffer& other, float gain) {
    if (other.channels_ != channels_) {
        throw std::invalid_argument("mixing buffers with different channel counts");
    }
    const std::size_t count = std::min(samples_.size(), other.samples_.size());
    for (std::size_t i = 0; i < count; ++i) {
        samples_[i] += other.samples_[i] * gain;
    }
}

AudioBuffer AudioBuffer::folded(std::size_t period) const {
    AudioBuffer loop(channels_, period);
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        loop.samples_[i % loop.samples_.size()] += samples_[i];
    }
    return loop;
}

void AudioBuffer::normalise(float peakDbfs) {
    float peak = 0.0f;
    for (float sample : samples_) {
        peak = std::max(peak, std::abs(sample));
    }
    if (peak > 0.0f) {
        const float gain = std::pow(10.0f, peakDbfs / 20.0f) / peak;
        for (float& sample : samples_) {
            sample *= gain;
        }
    }
}

void AudioBuffer::writeWav(const std::filesystem::path& file) const {
    std::ofstream out(file, std::ios::binary);
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    const auto channels = static_cast<std::uint32_t>(channels_);
    const auto dataBytes = static_cast<std::uint32_t>(samples_.size() * 2);
    out.write("RIFF", 4);
    putLittleEndian(out, 36 + dataBytes, 4);
    out.write("WAVEfmt ", 8);
    putLittleEndian(out, 16, 4);
    putLittleEndian(out, 1, 2);  // PCM
    putLittleEndian(out, channels, 2);
    putLittleEndian(out, kSampleRate, 4);
    putLittleEndian(out, kSampleRate * channels * 2, 4);
    putLittleEndian(out, channels * 2, 2);
    putLittleEndian(out, 16, 2);
    out.write("data", 4);
    putLittleEndian(out, dataBytes, 4);
    for (float sample : samples_) {
        putLittleEndian(out, static_cast<std::uint16_t>(toPcm16(sample)), 2);
    }
    if (!out) {
        throw std::runtime_error("failed writing " + file.string());
    }
}

}  // namespace rovuzu
