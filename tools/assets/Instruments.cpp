#include "Instruments.hpp"

#include <algorithm>
#include <cmath>

namespace rovuzu::instruments {

namespace {

constexpr float kEdgeFade = 0.004f;

// A voice of `seconds`, each frame produced by `sample(t)`, with click-free edges.
template <typename Sample>
Voice render(float seconds, Sample sample) {
    Voice voice(framesFor(seconds));
    for (std::size_t i = 0; i < voice.size(); ++i) {
        voice[i] = sample(secondsAt(i));
    }
    fadeEdges(voice, kEdgeFade, kEdgeFade);
    return voice;
}

// Two slightly detuned saws per note: the beating makes a chord sound wide and alive.
class SawChord {
  public:
    explicit SawChord(const std::vector<float>& chordHz) {
        for (float hz : chordHz) {
            oscillators_.push_back({hz * 0.9965f, static_cast<float>(oscillators_.size()) * 0.37f});
            oscillators_.push_back({hz * 1.0035f, static_cast<float>(oscillators_.size()) * 0.37f});
        }
    }

    float next() {
        float sum = 0.0f;
        for (Oscillator& o : oscillators_) {
            const float step = advance(o.phase, o.hz);
            sum += sawWave(o.phase, step);
        }
        return sum / static_cast<float>(oscillators_.size());
    }

  private:
    struct Oscillator {
        float hz;
        float phase;
    };
    std::vector<Oscillator> oscillators_;
};

}  // namespace

Voice kick() {
    float phase = 0.0f;
    return render(0.32f, [&](float t) {
        advance(phase, 48.0f + 120.0f * std::exp(-t / 0.03f));
        return std::sin(kTwoPi * phase) * pluckEnvelope(t, 0.002f, 0.11f);
    });
}

Voice snare(Random& random) {
    float phase = 0.0f;
    OnePole tone(3000.0f);
    OnePole body(900.0f);
    return render(0.24f, [&](float t) {
        advance(phase, 185.0f);
        const float noise = tone.lowpass(body.highpass(random.bipolar()));
        return 0.45f * std::sin(kTwoPi * phase) * pluckEnvelope(t, 0.001f, 0.05f) +
               0.9f * noise * pluckEnvelope(t, 0.001f, 0.075f);
    });
}

Voice hiHat(Random& random, float seconds) {
    OnePole first(7000.0f);
    OnePole second(7000.0f);
    return render(seconds, [&](float t) {
        return second.highpass(first.highpass(random.bipolar())) *
               pluckEnvelope(t, 0.0005f, seconds / 4.0f);
    });
}

Voice bass(float hz, float seconds) {
    float phase = 0.0f;
    float subPhase = 0.0f;
    Svf filter(1.8f);
    return render(seconds, [&](float t) {
        const float step = advance(phase, hz);
        advance(subPhase, hz / 2.0f);
        const float raw = 0.6f * sawWave(phase, step) + 0.5f * std::sin(kTwoPi * subPhase);
        const float cutoff = 260.0f + 1400.0f * std::exp(-t / 0.07f);
        return filter.lowpass(raw, cutoff) * pluckEnvelope(t, 0.003f, 0.35f);
    });
}

Voice pluck(float hz, float seconds) {
    float phase = 0.0f;
    Svf filter(1.2f);
    return render(seconds, [&](float t) {
        const float step = advance(phase, hz);
        const float cutoff = 700.0f + 3500.0f * std::exp(-t / 0.05f);
        return filter.lowpass(squareWave(phase, step), cutoff) * pluckEnvelope(t, 0.002f, 0.09f);
    });
}

Voice stab(const std::vector<float>& chordHz, float seconds) {
    SawChord chord(chordHz);
    Svf filter(1.4f);
    return render(seconds, [&](float t) {
        const float cutoff = 800.0f + 2000.0f * std::exp(-t / 0.05f);
        return filter.lowpass(chord.next(), cutoff) * pluckEnvelope(t, 0.004f, 0.08f);
    });
}

Voice pad(const std::vector<float>& chordHz, float seconds) {
    SawChord chord(chordHz);
    Svf filter(0.9f);
    constexpr float kAttack = 0.35f;
    constexpr float kRelease = 0.5f;
    return render(seconds + kRelease, [&](float t) {
        const float level = std::min({t / kAttack, 1.0f, (seconds + kRelease - t) / kRelease});
        return filter.lowpass(chord.next(), 1100.0f) * level;
    });
}

Voice quickDeath(Random& random) {
    float zap = 0.0f;
    float sparkle = 0.0f;
    float thump = 0.0f;
    OnePole crack(2500.0f);
    OnePole soften(9000.0f);
    // The thump's first half-cycle is lopsided; removing the offset keeps the tail centred.
    OnePole dcBlock(30.0f);
    Voice voice = render(0.36f, [&](float t) {
        const float zapStep = advance(zap, 170.0f + 1250.0f * std::exp(-t / 0.045f));
        const float sparkleStep = advance(sparkle, 300.0f + 2600.0f * std::exp(-t / 0.02f));
        advance(thump, 50.0f + 110.0f * std::exp(-t / 0.04f));
        const float tone = 0.55f * squareWave(zap, zapStep) * pluckEnvelope(t, 0.0015f, 0.075f) +
                           0.3f * sawWave(sparkle, sparkleStep) * pluckEnvelope(t, 0.001f, 0.03f);
        const float noise = crack.highpass(random.bipolar()) * pluckEnvelope(t, 0.0005f, 0.022f);
        const float low = std::sin(kTwoPi * thump) * pluckEnvelope(t, 0.002f, 0.09f);
        return soften.lowpass(dcBlock.highpass(tone + 0.6f * noise + 0.7f * low));
    });
    fadeEdges(voice, 0.001f, 0.04f);
    return voice;
}

}  // namespace rovuzu::instruments
