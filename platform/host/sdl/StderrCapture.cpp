#include "platform/host/sdl/StderrCapture.hpp"

#include <unistd.h>

namespace rovuzu {

StderrCapture::StderrCapture()
    : file_((std::fflush(stderr), std::tmpfile())),
      saved_(file_ != nullptr ? dup(STDERR_FILENO) : -1) {
    if (saved_ >= 0) {
        dup2(fileno(file_), STDERR_FILENO);
    }
}

StderrCapture::~StderrCapture() {
    finish();
}

std::string StderrCapture::finish() {
    std::string text;
    if (saved_ < 0) {
        return text;
    }
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
    saved_ = -1;
    std::rewind(file_);
    for (int c = std::fgetc(file_); c != EOF; c = std::fgetc(file_)) {
        text.push_back(static_cast<char>(c));
    }
    std::fclose(file_);
    file_ = nullptr;
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

}  // namespace rovuzu
