#pragma once

#include <cstdio>
#include <string>

namespace rovuzu {

// Catches what C libraries (fontconfig, libpng) write straight to the standard error stream
// while it lives, so that their complaints can be said once, in our own one-line form. Nothing
// else may write to stderr meanwhile: keep it around single library calls.
class StderrCapture {
  public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Ends the capture and gives what was written, without its trailing line feed.
    std::string finish();

  private:
    std::FILE* file_ = nullptr;
    int saved_ = -1;
};

}  // namespace rovuzu
