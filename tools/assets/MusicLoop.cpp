#include "MusicLoop.hpp"

#include <array>
#include <vector>

#include "Instruments.hpp"

namespace rovuzu {

namespace {

struct Chord {
    int root;
    std::array<int, 3> tones;
};

// Am, F, C, G twice, voiced close together so the changes glide rather than jump.
constexpr std::array<Chord, 4> kProgression{{
    {45, {57, 60, 64}},
    {41, {57, 60, 65}},
    {48, {55, 60, 64}},
    {43, {55, 59, 62}},
}};

constexpr std::size_t kTail = std::size_t{3} * kSampleRate;
constexpr float kSixteenthSeconds = 60.0f / MusicLoop::kBeatsPerMinute / 4.0f;

const Chord& chordOfBar(int bar) {
    return kProgression[static_cast<std::size_t>(bar) % kProgression.size()];
}

std::size_t at(int bar, int sixteenth) {
    return static_cast<std::size_t>(bar) * MusicLoop::kBar +
           static_cast<std::size_t>(sixteenth) * MusicLoop::kSixteenth;
}

std::vector<float> chordHz(const Chord& chord) {
    std::vector<float> hz;
    for (int note : chord.tones) {
        hz.push_back(midiToHz(note));
    }
    return hz;
}

// Ping-pong echo of a dotted eighth: each repeat swaps sides and fades.
void pingPongEcho(AudioBuffer& buffer, float feedback, float wet) {
    const std::size_t delay = 3 * MusicLoop::kSixteenth;
    AudioBuffer echoes(2, buffer.frames());
    for (std::size_t frame = delay; frame < buffer.frames(); ++frame) {
        for (int channel = 0; channel < 2; ++channel) {
            const std::size_t source = frame - delay;
            echoes.at(frame, channel) =
                buffer.at(source, 1 - channel) * wet + echoes.at(source, 1 - channel) * feedback;
        }
    }
    buffer.mix(echoes, 1.0f);
}

}  // namespace

AudioBuffer MusicLoop::render() {
    AudioBuffer mix(2, kBars * kBar + kTail);
    drums(mix);
    bassLine(mix);
    chords(mix);
    arpeggio(mix);
    AudioBuffer loop = mix.folded(kBars * kBar);
    loop.normalise(-3.0f);
    return loop;
}

void MusicLoop::drums(AudioBuffer& mix) {
    const Voice kick = instruments::kick();
    const Voice snare = instruments::snare(random_);
    const Voice closedHat = instruments::hiHat(random_, 0.06f);
    const Voice openHat = instruments::hiHat(random_, 0.22f);
    for (int bar = 0; bar < kBars; ++bar) {
        for (int step = 0; step < 16; ++step) {
            if (step % 4 == 0) {
                mix.mix(kick, at(bar, step), 0.8f);
            }
            if (step % 8 == 4) {
                mix.mix(snare, at(bar, step), 0.5f, 0.05f);
            }
            const bool offbeat = step % 4 == 2;
            const bool lastOfPair = bar % 2 == 1 && step == 14;
            mix.mix(lastOfPair ? openHat : closedHat, at(bar, step), offbeat ? 0.22f : 0.08f, 0.3f);
        }
    }
    // A short snare pickup in the last bar leads back into the top of the loop.
    for (int step : {13, 14, 15}) {
        mix.mix(snare, at(kBars - 1, step), 0.22f + 0.06f * static_cast<float>(step - 13), -0.05f);
    }
}

void MusicLoop::bassLine(AudioBuffer& mix) {
    constexpr std::array<int, 8> kOffsets{0, 12, 0, 12, 0, 12, 7, 12};
    for (int bar = 0; bar < kBars; ++bar) {
        for (int eighth = 0; eighth < 8; ++eighth) {
            const int note = chordOfBar(bar).root + kOffsets[static_cast<std::size_t>(eighth)];
            mix.mix(instruments::bass(midiToHz(note), 1.6f * kSixteenthSeconds),
                    at(bar, 2 * eighth), 0.5f);
        }
    }
}

// A soft pad throughout; offbeat stabs join in the second half for a lift.
void MusicLoop::chords(AudioBuffer& mix) {
    for (int bar = 0; bar < kBars; ++bar) {
        const std::vector<float> hz = chordHz(chordOfBar(bar));
        mix.mix(instruments::pad(hz, 16.0f * kSixteenthSeconds), at(bar, 0), 0.16f);
        if (bar < kBars / 2) {
            continue;
        }
        for (int step : {2, 6, 10, 14}) {
            mix.mix(instruments::stab(hz, 1.5f * kSixteenthSeconds), at(bar, step), 0.26f, -0.25f);
        }
    }
}

void MusicLoop::arpeggio(AudioBuffer& mix) {
    constexpr std::array<int, 8> kRising{0, 1, 2, 3, 2, 1, 2, 3};
    constexpr std::array<int, 8> kSkipping{0, 2, 1, 3, 2, 3, 1, 2};
    AudioBuffer arp(2, mix.frames());
    for (int bar = 0; bar < kBars; ++bar) {
        const Chord& chord = chordOfBar(bar);
        const auto& pattern = bar < kBars / 2 ? kRising : kSkipping;
        for (int step = 0; step < 16; ++step) {
            const int index = pattern[static_cast<std::size_t>(step % 8)];
            const int note = index == 3 ? chord.tones[0] + 24
                                        : chord.tones[static_cast<std::size_t>(index)] + 12;
            const float accent = step % 4 == 0 ? 1.0f : 0.75f;
            arp.mix(instruments::pluck(midiToHz(note), kSixteenthSeconds * 1.5f), at(bar, step),
                    0.24f * accent, 0.2f);
        }
    }
    pingPongEcho(arp, 0.35f, 0.35f);
    mix.mix(arp, 1.0f);
}

}  // namespace rovuzu
