#pragma once

#include <cstdint>
#include <ostream>
#include <streambuf>

namespace rovuzu {

// An output stream that keeps nothing but the number of lines written to it: the soak reads
// the game's per-tap line count without holding hundreds of thousands of lines.
class LineCounter final : public std::streambuf {
  public:
    [[nodiscard]] std::int64_t lines() const { return lines_; }
    [[nodiscard]] std::ostream& stream() { return stream_; }

  protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;

  private:
    std::int64_t lines_ = 0;
    std::ostream stream_{this};
};

}  // namespace rovuzu
