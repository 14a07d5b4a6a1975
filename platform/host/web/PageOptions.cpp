#include "platform/host/web/PageOptions.hpp"

#include <array>
#include <charconv>
#include <cstdint>
#include <optional>
#include <system_error>

#include "platform/foundation/NumberText.hpp"

namespace rovuzu {

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// A query's value as written: %XX escapes and '+' for a space undone; a broken escape stays.
std::string decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int high = i + 2 < text.size() && text[i] == '%' ? hexDigit(text[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(text[i + 2]) : -1;
        if (low >= 0) {
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else {
            out += text[i] == '+' ? ' ' : text[i];
        }
    }
    return out;
}

using Problem = std::optional<std::string>;

Problem applySeed(const std::string& value, PageOptions& page) {
    std::uint32_t seed = 0;
    const char* end = value.data() + value.size();
    const auto [stop, error] = std::from_chars(value.data(), end, seed);
    if (value.empty() || error != std::errc{} || stop != end) {
        return "?seed=" + value + ": not a whole number from 0 to 4294967295";
    }
    page.options.seed = seed;
    return std::nullopt;
}

Problem applyAutoplay(const std::string& value, PageOptions& page) {
    if (!value.empty() && value != "1" && value != "0") {
        return "?autoplay=" + value + ": give it alone, or as 1 or 0";
    }
    page.options.autoplay = value != "0";
    return std::nullopt;
}

Problem applyScript(const std::string& value, PageOptions& page) {
    if (value.empty()) {
        return "?script: name the script file";
    }
    page.options.script = value;
    return std::nullopt;
}

Problem applyCameraFieldOfView(const std::string& value, PageOptions& page) {
    const auto degrees = readDouble(value);
    if (!degrees || !(*degrees >= 1.0 && *degrees <= 179.0)) {
        return "?camera-fov=" + value + ": a field of view from 1 to 179 degrees";
    }
    page.options.cameraFieldOfView = *degrees;
    return std::nullopt;
}

Problem applyRecord(const std::string& value, PageOptions& page) {
    if (!value.empty() && value != "1" && value != "0") {
        return "?record=" + value + ": give it alone, or as 1 or 0";
    }
    page.record = value != "0";
    return std::nullopt;
}

Problem applyWorldTracking(const std::string& value, PageOptions& page) {
    if (value != "off" && value != "on") {
        return "?xr=" + value + ": either off or on";
    }
    page.worldTracking = value == "on";
    return std::nullopt;
}

Problem applyClock(const std::string& value, PageOptions& page) {
    if (value != "virtual" && value != "real") {
        return "?clock=" + value + ": either virtual or real";
    }
    page.virtualClock = value == "virtual";
    return std::nullopt;
}

struct Known {
    std::string_view name;
    Problem (*apply)(const std::string& value, PageOptions& page);
};

// Every option a page takes, in the order the refusal of an unknown one lists them.
constexpr std::array kKnown{
    Known{"seed", applySeed},     Known{"autoplay", applyAutoplay},
    Known{"script", applyScript}, Known{"camera-fov", applyCameraFieldOfView},
    Known{"clock", applyClock},   Known{"xr", applyWorldTracking},
    Known{"record", applyRecord}};

// What sites add to a link they pass on (a campaign's utm_ tags, an ad's click id): a shared
// link to the game still starts it.
bool isLinkTracking(std::string_view name) {
    return name.starts_with("utm_") || name == "fbclid" || name == "gclid";
}

// `pair` as it stands in the address.
std::string unknown(std::string_view pair) {
    std::string known;
    for (const Known& option : kKnown) {
        known += (known.empty() ? "?" : ", ?") + std::string(option.name);
    }
    return "?" + decoded(pair) + ": not an option here; the page takes " + known;
}

// Applies one name=value pair; a problem for a bad value or a name the page does not know.
Problem apply(const std::string& name, const std::string& value, std::string_view pair,
              PageOptions& page) {
    if (name.empty() || isLinkTracking(name)) {
        return std::nullopt;
    }
    for (const Known& option : kKnown) {
        if (option.name == name) {
            return option.apply(value, page);
        }
    }
    return unknown(pair);
}

}  // namespace

std::variant<PageOptions, std::string> PageOptions::parse(std::string_view query) {
    PageOptions page;
    if (query.starts_with('?')) {
        query.remove_prefix(1);
    }
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        query = amp == std::string_view::npos ? std::string_view{} : query.substr(amp + 1);
        const std::size_t eq = pair.find('=');
        const std::string name = decoded(pair.substr(0, eq));
        const std::string value =
            eq == std::string_view::npos ? std::string{} : decoded(pair.substr(eq + 1));
        if (auto problem = apply(name, value, pair, page)) {
            return std::move(*problem);
        }
    }
    return page;
}

}  // namespace rovuzu
