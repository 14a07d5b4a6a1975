#pragma once

#include <string>
#include <string_view>
#include <variant>

#include "platform/host/core/Options.hpp"

namespace rovuzu {

// How a page was asked to run, from its address, as the desktop's command line does:
// ?seed=N, ?autoplay, ?script=FILE (the same script format, fetched next to the page),
// ?camera-fov=DEG (the rear camera's field of view across its picture's longer side) and
// ?clock=virtual (60 frames a second of game time, several per drawn frame, so that a whole
// round plays in seconds; ?clock=real is the default), ?xr=off (the motion sensors even where
// WebXR's world tracking is offered; the page's script reads it, before the game has loaded)
// and ?record (the session's input kept as a script, offered as a download).
struct PageOptions {
    Options options;
    bool virtualClock = false;
    bool worldTracking = true;
    bool record = false;

    // The options, or one line saying what is wrong with the first bad one: a bad value, or a
    // name the page does not take (a misspelt option must not play some other round), save
    // the tags that sites add to links they pass on.
    static std::variant<PageOptions, std::string> parse(std::string_view query);
};

}  // namespace rovuzu
