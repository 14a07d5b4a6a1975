#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "platform/foundation/VirtualClock.hpp"
#include "platform/host/core/HostSession.hpp"
#include "tools/soak/CountingAudio.hpp"
#include "tools/soak/LineCounter.hpp"
#include "tools/soak/RandomPlayer.hpp"
#include "tools/soak/RoundOracle.hpp"
#include "tools/soak/SoakFigures.hpp"

namespace rovuzu {

class Stage;
class SKScene;
class UIApplication;
class UIView;

// One seeded round through the program's real entry path, in-process and headless: the
// application launches from the main bundle (which must hold the game's resources), and the
// random player drives the application's stage on a virtual clock, turn by turn, as a
// headless run of its recording would, with every invariant checked after every turn. The round
// ends 5 s after game over or at 120 s; then the application terminates and nothing of the round
// may be left alive.
class SoakRound {
  public:
    static constexpr double kAfterGameOver = HostSession::kAfterRound;
    static constexpr double kTimeLimit = HostSession::kTimeLimit;
    static constexpr double kFrameRate = HostSession::kFrameRate;

    struct Plan {
        std::uint32_t seed = 0;
        RandomPlayer::Style style = RandomPlayer::Style::roam;
        // Where to write the round's input as a script that `rovuzu --headless` replays.
        std::optional<std::filesystem::path> record;
    };

    static SoakFigures run(const Plan& plan);

  private:
    explicit SoakRound(const Plan& plan);

    void play(UIApplication& application);
    // The next turn's time: the next frame, spawn tick or input, but no later than `end`.
    [[nodiscard]] double nextTurn(long frame, const RandomPlayer& player, double end) const;
    // The player's input, if one is due, then the loop's turn, then the checks.
    void turn(double now, UIApplication& application, Stage& stage, RandomPlayer& player,
              Recorder* recorder);
    void checkReleased(UIApplication& application);

    Plan plan_;
    SoakFigures figures_;
    RoundOracle oracle_;
    VirtualClock clock_;
    LineCounter out_;
    LineCounter err_;
    CountingAudio audio_;
    // Watched, to see them released once the application has terminated.
    std::weak_ptr<SKScene> scene_;
    std::weak_ptr<UIView> view_;
};

}  // namespace rovuzu
