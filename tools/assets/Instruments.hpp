#pragma once

#include <vector>

#include "Dsp.hpp"
#include "Random.hpp"

// Synthesised voices. Every voice starts and ends at zero, so it can be dropped anywhere.
namespace rovuzu::instruments {

Voice kick();
Voice snare(Random& random);
Voice hiHat(Random& random, float seconds);
Voice bass(float hz, float seconds);
Voice pluck(float hz, float seconds);
Voice stab(const std::vector<float>& chordHz, float seconds);
Voice pad(const std::vector<float>& chordHz, float seconds);

// The "hit" effect: a pitch-dropping square zap over a noise crack and a low thump.
Voice quickDeath(Random& random);

}  // namespace rovuzu::instruments
