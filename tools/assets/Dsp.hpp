#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

// Small signal-processing building blocks shared by the instruments.
namespace rovuzu {

constexpr int kSampleRate = 44100;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// A mono sound, one float sample per frame.
using Voice = std::vector<float>;

inline std::size_t framesFor(float seconds) {
    return static_cast<std::size_t>(std::lround(seconds * kSampleRate));
}

inline float secondsAt(std::size_t frame) {
    return static_cast<float>(frame) / static_cast<float>(kSampleRate);
}

inline float midiToHz(int note) {
    return 440.0f * std::exp2(static_cast<float>(note - 69) / 12.0f);
}

// PolyBLEP removes most of the aliasing of naive saw and square waves, which would otherwise
// sound harsh at the high pitches the effects sweep through.
inline float polyBlep(float phase, float step) {
    if (phase < step) {
        const float t = phase / step;
        return t + t - t * t - 1.0f;
    }
    if (phase > 1.0f - step) {
        const float t = (phase - 1.0f) / step;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

inline float sawWave(float phase, float step) {
    return 2.0f * phase - 1.0f - polyBlep(phase, step);
}

inline float squareWave(float phase, float step) {
    const float shifted = phase + 0.5f - std::floor(phase + 0.5f);
    return (phase < 0.5f ? 1.0f : -1.0f) + polyBlep(phase, step) - polyBlep(shifted, step);
}

// Advances a phase in [0, 1) by one frame at `hz` and returns the step taken.
inline float advance(float& phase, float hz) {
    const float step = hz / static_cast<float>(kSampleRate);
    phase += step;
    phase -= std::floor(phase);
    return step;
}

// One-pole smoother; highpass is the input minus the lowpass.
class OnePole {
  public:
    explicit OnePole(float cutoffHz)
        : coefficient_(1.0f - std::exp(-kTwoPi * cutoffHz / static_cast<float>(kSampleRate))) {}

    float lowpass(float input) { return state_ += coefficient_ * (input - state_); }
    float highpass(float input) { return input - lowpass(input); }

  private:
    float coefficient_;
    float state_ = 0.0f;
};

// Chamberlin state-variable filter; gives the bass and pads a resonant, sweepable lowpass.
class Svf {
  public:
    explicit Svf(float resonance) : damping_(1.0f / resonance) {}

    float lowpass(float input, float cutoffHz) {
        const float f =
            2.0f * std::sin(std::numbers::pi_v<float> * cutoffHz / static_cast<float>(kSampleRate));
        low_ += f * band_;
        const float high = input - low_ - damping_ * band_;
        band_ += f * high;
        return low_;
    }

  private:
    float damping_;
    float low_ = 0.0f;
    float band_ = 0.0f;
};

// Linear attack into an exponential decay; `decay` is the time constant in seconds.
inline float pluckEnvelope(float t, float attack, float decay) {
    if (t < attack) {
        return t / attack;
    }
    return std::exp(-(t - attack) / decay);
}

// Raised-cosine fades so that every voice starts and ends at exactly zero: no clicks.
inline void fadeEdges(Voice& voice, float fadeInSeconds, float fadeOutSeconds) {
    const std::size_t in = std::min(framesFor(fadeInSeconds), voice.size());
    const std::size_t out = std::min(framesFor(fadeOutSeconds), voice.size());
    for (std::size_t i = 0; i < in; ++i) {
        voice[i] *= 0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * static_cast<float>(i) /
                                           static_cast<float>(in));
    }
    for (std::size_t i = 0; i < out; ++i) {
        voice[voice.size() - 1 - i] *=
            0.5f - 0.5f * std::cos(std::numbers::pi_v<float> * static_cast<float>(i) /
                                   static_cast<float>(out));
    }
}

}  // namespace rovuzu
