#include "tests/support/Program.hpp"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace rovuzu {

std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ProgramRun runProgram(const std::string& arguments, const std::filesystem::path& folder,
                      const std::string& environment) {
    const auto out = folder / "program.out";
    const auto err = folder / "program.err";
    // A window's frames go through SDL's own software path, never Mesa's GL: GL leaks inside
    // Mesa, which the sanitizer pass would report against the program.
    const std::string command =
        "cd '" + folder.string() +
        "' && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_AUDIODRIVER -u PULSE_SERVER "
        "-u SDL_VIDEODRIVER SDL_FRAMEBUFFER_ACCELERATION=0 " +
        environment + " '" + std::string(ROVUZU_BINARY) + "' " + arguments + " >'" + out.string() +
        "' 2>'" + err.string() + "'";
    const int raw = std::system(command.c_str());
    ProgramRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = readFile(out);
    run.err = readFile(err);
    return run;
}

}  // namespace rovuzu
