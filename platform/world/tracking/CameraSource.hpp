#pragma once

#include <memory>
#include <string>

#include "platform/world/tracking/CameraFrame.hpp"

namespace rovuzu {

// Pictures from a V4L2 webcam or a recorded video file, as plain RGB frames.
class CameraSource {
  public:
    static constexpr const char* kDefaultDevice = "/dev/video0";

    enum class AtEnd { Stop, Loop };
    enum class Status {
        Frame,
        // The file has been played to its end and does not loop.
        EndOfStream,
        // The camera stopped delivering pictures, or a looping file cannot restart; see problem().
        Failed,
    };

    struct Opened {
        // Null when the camera or file cannot be used.
        std::unique_ptr<CameraSource> source;
        // Then one line naming the device or file and what is wrong, for example
        // "/dev/video0: cannot open the camera (no such device)".
        std::string problem;
    };

    // Asks the camera for 640x480; it may choose another size.
    static Opened openDevice(const std::string& path = kDefaultDevice);
    static Opened openFile(const std::string& path, AtEnd atEnd = AtEnd::Stop);

    ~CameraSource();
    CameraSource(const CameraSource&) = delete;
    CameraSource& operator=(const CameraSource&) = delete;
    CameraSource(CameraSource&&) = delete;
    CameraSource& operator=(CameraSource&&) = delete;

    // The next picture, into `frame` (whose buffer is reused). A camera blocks until its next
    // picture; a file answers at once, so whoever shows its frames paces them by frame.time.
    // A looping file's times keep rising across its restarts.
    Status read(CameraFrame& frame);

    [[nodiscard]] const std::string& path() const;
    [[nodiscard]] bool isFile() const;
    // Why the last read failed, in the same form as Opened::problem.
    [[nodiscard]] const std::string& problem() const;

  private:
    class Impl;
    explicit CameraSource(std::unique_ptr<Impl> impl);
    static Opened open(std::unique_ptr<Impl> impl);

    std::unique_ptr<Impl> impl_;
};

}  // namespace rovuzu
