#include "platform/host/core/HostSession.hpp"

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>

#include "platform/arkit/ARSKView.hpp"
#include "platform/foundation/NSRunLoop.hpp"
#include "platform/gameplaykit/GKRandomSource.hpp"
#include "platform/host/core/CameraFeed.hpp"
#include "platform/host/core/Report.hpp"
#include "platform/spritekit/AudioOutput.hpp"

namespace rovuzu {

namespace {

// Of the view's size and the device's rotation and position, a host's latest word is the one
// that counts: a page's sensors may report several times a frame.
bool supersededAt(const std::vector<Input>& inputs, std::size_t at) {
    const Input& input = inputs[at];
    const bool latestCounts = std::holds_alternative<input::Resize>(input) ||
                              std::holds_alternative<input::Look>(input) ||
                              std::holds_alternative<input::Move>(input);
    return latestCounts &&
           std::any_of(inputs.begin() + static_cast<std::ptrdiff_t>(at) + 1, inputs.end(),
                       [&](const Input& later) { return later.index() == input.index(); });
}

}  // namespace

std::uint32_t HostSession::chooseSeed(const Plan& plan) {
    if (plan.seed) {
        return *plan.seed;
    }
    if (plan.script.seed()) {
        return *plan.script.seed();
    }
    return std::random_device{}();
}

HostSession::HostSession(Plan plan, AudioOutput* audio)
    : plan_(std::move(plan)), seed_(chooseSeed(plan_)), script_(plan_.script.events()) {
    Clock::install(&clock_);
    AudioOutput::install(audio);
    GKRandomSource::sharedRandom().seed(seed_);
    if (plan_.record) {
        recorder_.emplace(*plan_.record, seed_, plan_.view);
    }
    if (plan_.autoplay) {
        autoplay_.emplace();
    }
    const Settings& settings = plan_.settings;
    if (settings.quitAfter) {
        end_ = *settings.quitAfter;
    } else if (settings.stopsByItself) {
        end_ = kTimeLimit;
    }
}

HostSession::~HostSession() {
    application_.terminate();
    AudioOutput::install(nullptr);
    Clock::install(nullptr);
}

bool HostSession::launch() {
    return application_.launch(plan_.delegateClassName, plan_.view);
}

void HostSession::post(Input input) {
    posted_.push_back(std::move(input));
}

double HostSession::nextDue() const {
    double next = static_cast<double>(frame_) / kFrameRate;
    if (const auto timer = NSRunLoop::mainRunLoop().nextFireDate()) {
        next = std::min(next, *timer);
    }
    if (const auto event = script_.nextTime()) {
        next = std::min(next, *event);
    }
    if (const auto move = autoplay_ ? autoplay_->nextTime() : std::nullopt) {
        next = std::min(next, *move);
    }
    return std::min(std::max(next, clock_.monotonicNow()), end_);
}

HostSession::Turn HostSession::turn(double now) {
    Turn turn;
    turn.time = std::max(now, previous_);
    turn.quit = over_;
    if (over_) {
        return turn;
    }
    deliverTouches();
    now = std::max(now, previous_);
    clock_.advanceTo(now);
    std::vector<input::Touches> touches;
    applyPosted(now, turn, touches);
    moveDevice(now, now - previous_);
    for (const Input& due : script_.takeDue(now)) {
        apply(due, now, turn, touches);
    }
    if (autoplay_) {
        for (const Input& move : autoplay_->takeDue(now, stage_.pose(), stage_.viewSize())) {
            apply(move, now, turn, touches);
        }
    }
    step(now, touches);
    if (now >= static_cast<double>(frame_) / kFrameRate) {
        ++frame_;
    }
    previous_ = now;
    turn.time = now;
    if (quitAsked_ || ends(now)) {
        finish(turn);
    }
    turn.frame = frameToDraw(turn.screenshots);
    turn.viewSize = stage_.viewSize();
    if (over_) {
        application_.terminate();
    }
    return turn;
}

HostSession::Turn HostSession::runDue(double until, const std::function<void(const Turn&)>& each) {
    Turn last;
    do {
        last = turn(nextDue());
        each(last);
    } while (!last.quit && nextDue() <= until);
    return last;
}

std::string HostSession::report() const {
    return endReport_ ? *endReport_ : Report::build(clock_.monotonicNow(), stage_.view());
}

// Touches act just after the frame that was on screen when they came, in a step of their own,
// as a headless run replays them.
void HostSession::deliverTouches() {
    std::vector<input::Touches> touches;
    std::erase_if(posted_, [&](Input& input) {
        if (auto* event = std::get_if<input::Touches>(&input)) {
            touches.push_back(std::move(*event));
            return true;
        }
        return false;
    });
    if (touches.empty()) {
        return;
    }
    const double at = std::nextafter(previous_, std::numeric_limits<double>::infinity());
    clock_.advanceTo(at);
    for (const input::Touches& event : touches) {
        record(at, event);
    }
    step(at, touches);
    previous_ = at;
}

void HostSession::applyPosted(double now, Turn& turn, std::vector<input::Touches>& touches) {
    const std::vector<Input> posted = std::exchange(posted_, {});
    for (std::size_t i = 0; i < posted.size(); ++i) {
        if (!supersededAt(posted, i)) {
            apply(posted[i], now, turn, touches);
        }
    }
}

void HostSession::apply(const Input& input, double now, Turn& turn,
                        std::vector<input::Touches>& touches) {
    if (const auto* event = std::get_if<input::Touches>(&input)) {
        record(now, *event);
        touches.push_back(*event);
    } else if (const auto* shot = std::get_if<input::Screenshot>(&input)) {
        turn.screenshots.push_back(shot->file);
    } else if (std::holds_alternative<input::Quit>(input)) {
        quitAsked_ = true;
    } else if (const auto* lifecycle = std::get_if<input::Lifecycle>(&input)) {
        change(lifecycle->change);
    } else if (const auto* look = std::get_if<input::Look>(&input)) {
        DevicePose next = stage_.pose();
        next.rotation = look->rotation;
        turnTo(next, now);
    } else if (const auto* move = std::get_if<input::Move>(&input)) {
        DevicePose next = stage_.pose();
        next.position = move->position;
        turnTo(next, now);
    } else if (const auto* resize = std::get_if<input::Resize>(&input)) {
        if (resize->size != stage_.viewSize()) {
            record(now, input);
            stage_.apply(input);
        }
    } else {
        record(now, input);
        stage_.apply(input);
    }
}

void HostSession::change(input::Lifecycle::Change change) {
    using Change = input::Lifecycle::Change;
    switch (change) {
        case Change::resignActive:
            controls_.releaseAll();
            application_.resignActive();
            break;
        case Change::becomeActive:
            application_.becomeActive();
            break;
        case Change::enterBackground:
            background_ = true;
            application_.enterBackground();
            break;
        case Change::enterForeground:
            background_ = false;
            picker_.redraw();
            application_.enterForeground();
            break;
    }
}

void HostSession::moveDevice(double now, double seconds) {
    if (camera_ != nullptr) {
        if (const auto tracked = camera_->update(stage_.pose(), now)) {
            turnTo(*tracked, now);
        }
        stage_.setCameraIntrinsics(camera_->intrinsics());
    }
    if (const auto moved = controls_.advance(stage_.pose(), seconds)) {
        turnTo(*moved, now);
    }
}

// Turning and walking become look and move inputs, so a recording replays them exactly.
void HostSession::turnTo(const DevicePose& next, double now) {
    const DevicePose& pose = stage_.pose();
    if (next.rotation != pose.rotation) {
        const input::Look look{next.rotation};
        record(now, look);
        stage_.apply(look);
    }
    if (next.position != pose.position) {
        const input::Move move{next.position};
        record(now, move);
        stage_.apply(move);
    }
}

void HostSession::record(double time, const Input& input) {
    if (recorder_) {
        recorder_->record({time, input});
    }
}

void HostSession::step(double now, const std::vector<input::Touches>& touches) {
    stage_.step(now, touches);
    if (const ARSKView* ar = stage_.arView(); autoplay_ && ar != nullptr) {
        autoplay_->observe(ar->session(), now);
    }
}

bool HostSession::ends(double now) {
    if (!sceneWasOver_ && stage_.sceneEnded()) {
        sceneWasOver_ = true;
        if (plan_.settings.stopsByItself && !plan_.settings.quitAfter) {
            end_ = std::min(end_, now + kAfterRound);
        }
    }
    return now >= end_;
}

void HostSession::finish(Turn& turn) {
    turn.quit = true;
    over_ = true;
    if (plan_.settings.finalScreenshot) {
        turn.screenshots.push_back(*plan_.settings.finalScreenshot);
    }
    record(turn.time, input::Quit{});
    endReport_ = Report::build(turn.time, stage_.view());
}

const Frame* HostSession::frameToDraw(const std::vector<std::string>& screenshots) {
    const SKView* view = stage_.view();
    const bool shot = !screenshots.empty();
    if (view == nullptr || !(shot || (plan_.settings.drawsFrames && !background_))) {
        return nullptr;
    }
    FrameLayout::Surroundings surroundings;
    if (camera_ != nullptr) {
        surroundings.cameraPicture = camera_->pictureNumber();
        surroundings.passthrough = camera_->passthrough();
        surroundings.notice = camera_->notice();
    }
    surroundings.worldShown = worldShown_ || shot;
    surroundings.quickWhileMoving = plan_.settings.quickWhileMoving && !shot;
    return picker_.pick(*view, pixelsPerPoint_, surroundings, shot);
}

}  // namespace rovuzu
