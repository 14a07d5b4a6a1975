#include "platform/world/tracking/CameraSource.hpp"

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <opencv2/core/utils/logger.hpp>
#include <opencv2/imgproc.hpp>
#include <opencv2/videoio.hpp>
#include <optional>
#include <system_error>

namespace rovuzu {
namespace {

constexpr int kWantedWidth = 640;
constexpr int kWantedHeight = 480;
constexpr double kFallbackFrameRate = 30.0;

// OpenCV's and FFmpeg's own log lines would break our one-line diagnostics. OpenCV reads the
// FFmpeg level once, when it first opens a video; a level the user set stays.
void quietOpenCv() {
    static const bool quiet = [] {
        cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
        return setenv("OPENCV_FFMPEG_LOGLEVEL", "-8", 0) == 0;  // AV_LOG_QUIET
    }();
    static_cast<void>(quiet);
}

std::optional<std::string> missingFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return "no such file";
    }
    if (std::filesystem::is_directory(status)) {
        return "it is a directory";
    }
    if (std::filesystem::is_regular_file(status) && std::filesystem::file_size(path, error) == 0) {
        return "the file is empty";
    }
    return std::nullopt;
}

std::optional<std::string> missingDevice(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return "no such device";
    }
    if (!std::filesystem::is_character_file(status)) {
        return "not a video device";
    }
    return std::nullopt;
}

// Copies a decoded picture into the frame as RGB; false for a picture we cannot use.
bool toRgb(const cv::Mat& picture, CameraFrame& frame) {
    if (picture.empty() || picture.depth() != CV_8U) {
        return false;
    }
    frame.width = picture.cols;
    frame.height = picture.rows;
    frame.rgb.resize(static_cast<std::size_t>(frame.width) * frame.height * 3);
    cv::Mat rgb(frame.height, frame.width, CV_8UC3, frame.rgb.data());
    switch (picture.channels()) {
        case 1:
            cv::cvtColor(picture, rgb, cv::COLOR_GRAY2RGB);
            return true;
        case 3:
            cv::cvtColor(picture, rgb, cv::COLOR_BGR2RGB);
            return true;
        case 4:
            cv::cvtColor(picture, rgb, cv::COLOR_BGRA2RGB);
            return true;
        default:
            return false;
    }
}

}  // namespace

class CameraSource::Impl {
  public:
    Impl(std::string path, bool file, AtEnd atEnd)
        : path_(std::move(path)), file_(file), atEnd_(atEnd) {}

    std::optional<std::string> open();
    Status read(CameraFrame& frame);

    [[nodiscard]] const std::string& path() const { return path_; }
    [[nodiscard]] bool isFile() const { return file_; }
    [[nodiscard]] const std::string& problem() const { return problem_; }

  private:
    bool openCapture();
    bool grab();
    [[nodiscard]] bool isStill() const;
    Status endOfFile();
    Status readFile(CameraFrame& frame);
    Status readDevice(CameraFrame& frame);
    double fileTime();
    Status fail(const std::string& why);

    std::string path_;
    bool file_;
    AtEnd atEnd_;
    cv::VideoCapture capture_;
    cv::Mat picture_;
    // The first picture is decoded while opening, to tell a usable source from a broken one.
    bool firstPending_ = false;
    std::chrono::steady_clock::time_point openedAt_;
    double frameInterval_ = 1.0 / kFallbackFrameRate;
    // The pictures the file says it holds (0 where it does not say), and those decoded in this
    // pass through it.
    long frameCount_ = 0;
    long decoded_ = 0;
    // Times of the current pass through a file, and where this pass starts on our clock.
    double passStart_ = 0.0;
    std::optional<double> lastFileTime_;
    std::string problem_;
};

std::optional<std::string> CameraSource::Impl::open() {
    quietOpenCv();
    if (auto missing = file_ ? missingFile(path_) : missingDevice(path_)) {
        return file_ ? "cannot open the video (" + *missing + ")"
                     : "cannot open the camera (" + *missing + ")";
    }
    if (!openCapture()) {
        return file_ ? "cannot open the video (not a video file that FFmpeg can read)"
                     : "cannot open the camera (busy, or not a video capture device)";
    }
    if (!grab()) {
        return file_ ? "cannot play the video (no picture could be decoded)"
                     : "the camera opened but sent no picture";
    }
    if (file_ && isStill()) {
        return "a still picture, not a video";
    }
    firstPending_ = true;
    return std::nullopt;
}

// A file FFmpeg reads as one picture and no more: an image.
bool CameraSource::Impl::isStill() const {
    try {
        cv::VideoCapture probe(path_, cv::CAP_FFMPEG);
        cv::Mat first;
        cv::Mat second;
        return probe.read(first) && !probe.read(second);
    } catch (const cv::Exception&) {
        return false;
    }
}

bool CameraSource::Impl::openCapture() {
    try {
        if (!capture_.open(path_, file_ ? cv::CAP_FFMPEG : cv::CAP_V4L2)) {
            return false;
        }
        if (file_) {
            const double rate = capture_.get(cv::CAP_PROP_FPS);
            frameInterval_ = 1.0 / (rate > 0.0 && rate < 1000.0 ? rate : kFallbackFrameRate);
            const double count = capture_.get(cv::CAP_PROP_FRAME_COUNT);
            frameCount_ =
                std::isfinite(count) && count > 0.0 && count < 1e9 ? static_cast<long>(count) : 0;
            decoded_ = 0;
        } else {
            capture_.set(cv::CAP_PROP_FRAME_WIDTH, kWantedWidth);
            capture_.set(cv::CAP_PROP_FRAME_HEIGHT, kWantedHeight);
            openedAt_ = std::chrono::steady_clock::now();
        }
        return true;
    } catch (const cv::Exception&) {
        return false;
    }
}

bool CameraSource::Impl::grab() {
    try {
        const bool got = capture_.read(picture_) && !picture_.empty() && picture_.depth() == CV_8U;
        decoded_ += got ? 1 : 0;
        return got;
    } catch (const cv::Exception&) {
        return false;
    }
}

CameraSource::Status CameraSource::Impl::read(CameraFrame& frame) {
    return file_ ? readFile(frame) : readDevice(frame);
}

CameraSource::Status CameraSource::Impl::readDevice(CameraFrame& frame) {
    if (!firstPending_ && !grab()) {
        return fail("the camera stopped sending pictures");
    }
    firstPending_ = false;
    if (!toRgb(picture_, frame)) {
        return fail("the camera sent a picture in a format we cannot show");
    }
    const std::chrono::duration<double> since = std::chrono::steady_clock::now() - openedAt_;
    frame.time = since.count();
    return Status::Frame;
}

CameraSource::Status CameraSource::Impl::readFile(CameraFrame& frame) {
    if (!firstPending_ && !grab()) {
        if (const Status end = endOfFile(); end != Status::Frame) {
            return end;
        }
        // Reopening is more dependable than seeking in every container FFmpeg reads.
        passStart_ += lastFileTime_.value_or(0.0) + frameInterval_;
        lastFileTime_.reset();
        capture_.release();
        if (!openCapture() || !grab()) {
            return fail("cannot restart the video from its beginning");
        }
    }
    firstPending_ = false;
    if (!toRgb(picture_, frame)) {
        return fail("the video has a picture in a format we cannot show");
    }
    frame.time = passStart_ + fileTime();
    return Status::Frame;
}

// No picture came: the end of the file, or of what of it decodes, when it says it holds clearly
// more (a count taken from a duration may be a picture or two out); Frame to play it again.
CameraSource::Status CameraSource::Impl::endOfFile() {
    constexpr long kCountSlack = 2;
    if (frameCount_ > 0 && decoded_ + kCountSlack < frameCount_ &&
        decoded_ * 50 < frameCount_ * 49) {
        return fail("the video stops decoding after " + std::to_string(decoded_) + " of its " +
                    std::to_string(frameCount_) + " pictures");
    }
    return atEnd_ == AtEnd::Stop ? Status::EndOfStream : Status::Frame;
}

// The file's own timestamp for the picture just decoded; counted frames where it has none.
double CameraSource::Impl::fileTime() {
    const double stamped = capture_.get(cv::CAP_PROP_POS_MSEC) / 1000.0;
    double time = lastFileTime_ ? *lastFileTime_ + frameInterval_ : 0.0;
    if (std::isfinite(stamped) && stamped >= 0.0 && (!lastFileTime_ || stamped > *lastFileTime_)) {
        time = stamped;
    }
    lastFileTime_ = time;
    return time;
}

CameraSource::Status CameraSource::Impl::fail(const std::string& why) {
    problem_ = path_ + ": " + why;
    return Status::Failed;
}

CameraSource::CameraSource(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
CameraSource::~CameraSource() = default;

CameraSource::Opened CameraSource::openDevice(const std::string& path) {
    return open(std::make_unique<Impl>(path, false, AtEnd::Stop));
}

CameraSource::Opened CameraSource::openFile(const std::string& path, AtEnd atEnd) {
    return open(std::make_unique<Impl>(path, true, atEnd));
}

CameraSource::Opened CameraSource::open(std::unique_ptr<Impl> impl) {
    if (auto problem = impl->open()) {
        return {nullptr, impl->path() + ": " + *problem};
    }
    return {std::unique_ptr<CameraSource>(new CameraSource(std::move(impl))), {}};
}

CameraSource::Status CameraSource::read(CameraFrame& frame) {
    return impl_->read(frame);
}
const std::string& CameraSource::path() const {
    return impl_->path();
}
bool CameraSource::isFile() const {
    return impl_->isFile();
}
const std::string& CameraSource::problem() const {
    return impl_->problem();
}

}  // namespace rovuzu
