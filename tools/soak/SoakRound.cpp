#include "tools/soak/SoakRound.hpp"

#include <algorithm>
#include <string>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/Clock.hpp"
#include "platform/foundation/Console.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/Recorder.hpp"
#include "platform/host/core/Stage.hpp"
#include "platform/spritekit/SKScene.hpp"
#include "platform/uikit/UIApplication.hpp"
#include "platform/uikit/UIWindow.hpp"

namespace rovuzu {

namespace {

constexpr CGSize kPhone{375.0, 667.0};

bool isShown(const UIApplication& application) {
    const auto& window = application.keyWindow();
    return window && window->isVisible();
}

std::string roundName(const SoakRound::Plan& plan) {
    const bool storm = plan.style == RandomPlayer::Style::storm;
    return std::string(storm ? "storm" : "roam") + " round " + std::to_string(plan.seed);
}

}  // namespace

SoakRound::SoakRound(const Plan& plan) : plan_(plan), oracle_(roundName(plan), figures_) {
    ++figures_.rounds;
    figures_.stormRounds += plan.style == RandomPlayer::Style::storm ? 1 : 0;
}

SoakFigures SoakRound::run(const Plan& plan) {
    SoakRound round(plan);
    Clock::install(&round.clock_);
    Console::redirect(&round.out_.stream(), &round.err_.stream());
    AudioOutput::install(&round.audio_);
    GKRandomSource::sharedRandom().seed(plan.seed);
    {
        UIApplication application;
        if (round.oracle_.require(application.launch("AppDelegate", kPhone),
                                  "the application launches")) {
            round.play(application);
            round.checkReleased(application);
        }
    }
    AudioOutput::install(nullptr);
    Console::redirect(nullptr, nullptr);
    Clock::install(nullptr);
    return round.figures_;
}

// The headless host's stage, with the random player as the input.
void SoakRound::play(UIApplication& application) {
    std::optional<Recorder> recorder;
    if (plan_.record) {
        recorder.emplace(*plan_.record, plan_.seed, kPhone);
    }
    Stage stage(application);
    RandomPlayer player(plan_.seed, plan_.style);
    scene_ = stage.arView()->scene();
    view_ = application.keyWindow()->rootViewController()->view();
    double end = kTimeLimit;
    for (long frame = 0;;) {
        const double now = nextTurn(frame, player, end);
        clock_.advanceTo(now);
        turn(now, application, stage, player, recorder ? &*recorder : nullptr);
        frame += now >= static_cast<double>(frame) / kFrameRate ? 1 : 0;
        if (oracle_.roundOver()) {
            end = std::min(end, now + kAfterGameOver);
        }
        if (now >= end) {
            figures_.gameOvers += oracle_.roundOver() ? 1 : 0;
            return;
        }
    }
}

double SoakRound::nextTurn(long frame, const RandomPlayer& player, double end) const {
    double next = std::min(static_cast<double>(frame) / kFrameRate, player.nextTime());
    next = std::min(next, NSRunLoop::mainRunLoop().nextFireDate().value_or(next));
    return std::min(std::max(next, clock_.monotonicNow()), end);
}

void SoakRound::turn(double now, UIApplication& application, Stage& stage, RandomPlayer& player,
                     Recorder* recorder) {
    std::optional<RandomPlayer::Move> move;
    if (player.nextTime() <= now) {
        move = player.take(stage, isShown(application), oracle_.liveAnchors(stage));
        ++figures_.events;
    }
    const TimedInput* event = move ? &move->event : nullptr;
    oracle_.expect(event, move ? move->aimedAt.get() : nullptr, application, stage);
    std::vector<input::Touches> touches;
    if (event != nullptr) {
        if (recorder != nullptr) {
            recorder->record(*event);
        }
        if (const auto* began = std::get_if<input::Touches>(&event->input)) {
            touches.push_back(*began);
        } else {
            stage.apply(event->input);
        }
    }
    stage.step(now, touches);
    oracle_.check(now, event, out_.lines(), audio_.sounds(), application, stage);
}

// Past the spawn timer's last tick and once terminated, the round lets go of everything.
void SoakRound::checkReleased(UIApplication& application) {
    oracle_.describe("at the end");
    oracle_.require(NSRunLoop::mainRunLoop().timerCount() == 0, "the spawn timer has stopped");
    application.terminate();
    oracle_.require(scene_.expired(), "terminating releases the scene");
    oracle_.require(view_.expired(), "terminating releases the view");
    oracle_.require(audio_.musicPlaying() == 0, "the music stops with its scene");
    oracle_.require(err_.lines() == 0, "with the game's own resources, stderr stays empty");
}

}  // namespace rovuzu
