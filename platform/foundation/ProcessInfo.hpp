#pragma once

namespace rovuzu {

// Facts about the running process.
class ProcessInfo {
  public:
    // Seconds on the monotonic clock: unaffected by changes to the date and time.
    static double systemUptime();
};

}  // namespace rovuzu
