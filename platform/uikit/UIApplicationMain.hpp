#pragma once

#include <string>

namespace rovuzu {

// Runs the application: reads the command line, launches the application with a delegate of
// the named class, and runs the main loop in a window or headless until the player quits.
// Returns 0 when the run ends; a bad command line or script ends the process with status 2,
// and an application that cannot start with status 1, each after one line on stderr.
int UIApplicationMain(int argc, char** argv, const char* principalClassName,
                      const std::string& delegateClassName);

}  // namespace rovuzu
