#include "platform/host/CameraInput.hpp"

#include "platform/foundation/Console.hpp"
#include "platform/host/Renderer.hpp"

#ifdef ROVUZU_HAVE_TRACKING
#include <glm/gtc/quaternion.hpp>
#include <numbers>

#include "platform/host/FrameLoop.hpp"
#include "platform/world/tracking/CameraSource.hpp"
#include "platform/world/tracking/RotationTracker.hpp"
#include "platform/world/tracking/VisualPoseSource.hpp"
#include "platform/world/tracking/YawPitchRoll.hpp"
#endif

namespace rovuzu {

void CameraInput::showIn(Renderer& renderer, std::uint64_t& shown) const {
    if (picture() != nullptr && pictureNumber() != shown) {
        renderer.setCameraFrame(*picture());
        shown = pictureNumber();
    }
    renderer.setNotice(trackingLost() ? "Seguimiento perdido" : "");
}

#ifdef ROVUZU_HAVE_TRACKING

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;

// Turns the device to the tracked angles, as a look event, when they changed.
void look(FrameLoop& loop, const YawPitchRoll& angles, double now) {
    const DevicePose& pose = loop.pose();
    const double yaw = angles.yaw * kDegrees;
    const double pitch = angles.pitch * kDegrees;
    const double roll = angles.roll * kDegrees;
    if (yaw != pose.yaw || pitch != pose.pitch || roll != pose.roll) {
        loop.apply({now, InputEvent::Verb::look, {yaw, pitch, roll}, {}});
    }
}

// A camera read and tracked on its own thread; the game takes the newest result each frame.
class ThreadedCamera final : public CameraInput {
public:
    explicit ThreadedCamera(std::unique_ptr<CameraSource> source)
        : poses_(std::move(source)) {}

    void update(FrameLoop& loop, double now) override {
        const auto sample = poses_.latest();
        if (!sample || (current_ && sample->frameNumber == current_->frameNumber)) {
            return;
        }
        current_ = sample;
        if (sample->state == TrackingState::Tracking) {
            look(loop, sample->angles, now);
        }
    }
    [[nodiscard]] const CameraFrame* picture() const override {
        return current_ ? &current_->frame : nullptr;
    }
    [[nodiscard]] std::uint64_t pictureNumber() const override {
        return current_ ? current_->frameNumber : 0;
    }
    [[nodiscard]] bool trackingLost() const override {
        return current_ && current_->state == TrackingState::Lost;
    }

private:
    VisualPoseSource poses_;
    std::shared_ptr<const VisualPoseSource::Sample> current_;
};

// A video stepped with the game's clock: a frame shows once the clock, counted from the first
// update, reaches its time in the file.
class SteppedVideo final : public CameraInput {
public:
    explicit SteppedVideo(std::unique_ptr<CameraSource> source) : source_(std::move(source)) {}

    void update(FrameLoop& loop, double now) override {
        if (!started_) {
            started_ = true;
            startedAt_ = now;
        }
        bool tracked = false;
        while (takePending(now)) {
            tracker_.track(current_);
            tracked = true;
        }
        if (tracked && tracker_.state() == TrackingState::Tracking) {
            const glm::dmat3 rotation{glm::mat3_cast(tracker_.orientation())};
            look(loop, yawPitchRollFromRotation(rotation), now);
        }
    }
    [[nodiscard]] const CameraFrame* picture() const override {
        return number_ > 0 ? &current_ : nullptr;
    }
    [[nodiscard]] std::uint64_t pictureNumber() const override { return number_; }
    [[nodiscard]] bool trackingLost() const override {
        return number_ > 0 && tracker_.state() == TrackingState::Lost;
    }

private:
    // Makes the next frame the current one when it is due; false when it is not, or none is left.
    bool takePending(double now) {
        if (!hasPending_) {
            if (ended_ || source_->read(pending_) != CameraSource::Status::Frame) {
                ended_ = true;
                return false;
            }
            hasPending_ = true;
            if (number_ == 0) {
                firstTime_ = pending_.time;
            }
        }
        if (pending_.time - firstTime_ > now - startedAt_) {
            return false;
        }
        std::swap(current_, pending_);
        hasPending_ = false;
        ++number_;
        return true;
    }

    std::unique_ptr<CameraSource> source_;
    RotationTracker tracker_;
    CameraFrame current_;
    CameraFrame pending_;
    std::uint64_t number_ = 0;
    double firstTime_ = 0.0;
    double startedAt_ = 0.0;
    bool started_ = false;
    bool hasPending_ = false;
    bool ended_ = false;
};

}  // namespace

std::unique_ptr<CameraInput> CameraInput::open(const Options& options) {
    if (!options.camera && !options.cameraFile) {
        return nullptr;
    }
    auto opened = options.cameraFile ? CameraSource::openFile(options.cameraFile->string())
                                           : CameraSource::openDevice(*options.camera);
    if (!opened.source) {
        diagnose(opened.problem + "; using the built-in world");
        return nullptr;
    }
    if (options.headless && opened.source->isFile()) {
        return std::make_unique<SteppedVideo>(std::move(opened.source));
    }
    return std::make_unique<ThreadedCamera>(std::move(opened.source));
}

#else

std::unique_ptr<CameraInput> CameraInput::open(const Options& options) {
    if (options.camera || options.cameraFile) {
        diagnose("this build has no camera support (OpenCV was not found); using the built-in world");
    }
    return nullptr;
}

#endif

}  // namespace rovuzu
