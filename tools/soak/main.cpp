// rovuzu_soak: seeded random rounds and tap storms through the real entry path, headless, with
// invariant checks after every turn of the main loop. Prints the figures; exits 1 on any
// failure, naming the round so that `--rounds 1 --seed N` (and `--record FILE`) replays it.

#include <CLI/CLI.hpp>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>

#include "platform/foundation/NSBundle.hpp"
#include "tools/soak/SoakRound.hpp"

namespace {

struct Command {
    int rounds = 2000;
    int storms = 10;
    std::uint32_t seed = 1;
    std::filesystem::path resources = ROVUZU_SOURCE_RESOURCES;
    std::optional<std::filesystem::path> record;
};

rovuzu::SoakFigures soak(const Command& command) {
    using Style = rovuzu::RandomPlayer::Style;
    rovuzu::SoakFigures figures;
    for (int i = 0; i < command.rounds + command.storms; ++i) {
        const Style style = i < command.rounds ? Style::roam : Style::storm;
        figures += rovuzu::SoakRound::run(
            {command.seed + static_cast<std::uint32_t>(i), style, command.record});
    }
    return figures;
}

void print(const rovuzu::SoakFigures& figures, double seconds) {
    std::printf("rounds      %lld (of which tap storms %lld)\n",
                static_cast<long long>(figures.rounds),
                static_cast<long long>(figures.stormRounds));
    std::printf("game overs  %lld\n", static_cast<long long>(figures.gameOvers));
    std::printf("events      %lld (taps delivered %lld, aimed at a live target %lld, hits %lld)\n",
                static_cast<long long>(figures.events), static_cast<long long>(figures.taps),
                static_cast<long long>(figures.aimedTaps), static_cast<long long>(figures.hits));
    std::printf("loop turns  %lld\n", static_cast<long long>(figures.steps));
    std::printf("checks      %lld\n", static_cast<long long>(figures.checks));
    std::printf("failures    %lld\n", static_cast<long long>(figures.failures));
    std::printf("wall time   %.1f s\n", seconds);
    for (const std::string& note : figures.failureNotes) {
        std::printf("FAIL %s\n", note.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Command command;
    CLI::App app{"Soaks rovuzu: seeded random rounds and tap storms, checked after every turn"};
    app.add_option("--rounds", command.rounds, "Roaming rounds")->check(CLI::NonNegativeNumber);
    app.add_option("--storms", command.storms, "Tap-storm rounds, 1000 taps a virtual second")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--seed", command.seed, "Seed of the first round; round i uses seed + i");
    app.add_option("--resources", command.resources, "The game's resources")
        ->check(CLI::ExistingDirectory);
    app.add_option("--record", command.record,
                   "Write the round's input as a script for rovuzu --headless (with --rounds 1)");
    CLI11_PARSE(app, argc, argv);

    rovuzu::NSBundle::setMainBundlePath(command.resources);
    const auto start = std::chrono::steady_clock::now();
    const rovuzu::SoakFigures figures = soak(command);
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
    print(figures, wall.count());
    return figures.failures == 0 ? 0 : 1;
}
