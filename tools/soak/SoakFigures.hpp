#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace rovuzu {

// What a soak did and found, summed over its rounds.
struct SoakFigures {
    // Only the first few failures are kept word for word; all are counted.
    static constexpr std::size_t kKeptFailures = 20;

    std::int64_t rounds = 0;
    std::int64_t stormRounds = 0;
    std::int64_t steps = 0;      // turns of the main loop: inputs, timer ticks and frames
    std::int64_t events = 0;     // inputs from the random player
    std::int64_t taps = 0;       // touch events delivered to the scene
    std::int64_t aimedTaps = 0;  // taps at a target the player turned to face
    std::int64_t hits = 0;
    std::int64_t gameOvers = 0;
    std::int64_t checks = 0;
    std::int64_t failures = 0;
    std::vector<std::string> failureNotes;

    void fail(std::string note) {
        ++failures;
        if (failureNotes.size() < kKeptFailures) {
            failureNotes.push_back(std::move(note));
        }
    }

    SoakFigures& operator+=(const SoakFigures& other) {
        rounds += other.rounds;
        stormRounds += other.stormRounds;
        steps += other.steps;
        events += other.events;
        taps += other.taps;
        aimedTaps += other.aimedTaps;
        hits += other.hits;
        gameOvers += other.gameOvers;
        checks += other.checks;
        failures += other.failures;
        for (const std::string& note : other.failureNotes) {
            if (failureNotes.size() < kKeptFailures) {
                failureNotes.push_back(note);
            }
        }
        return *this;
    }
};

}  // namespace rovuzu
