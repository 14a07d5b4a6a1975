#include "platform/foundation/NSCoder.hpp"

#include <cmath>
#include <fstream>
#include <limits>
#include <nlohmann/json.hpp>
#include <sstream>
#include <system_error>

#include "platform/foundation/NumberText.hpp"

namespace rovuzu {

using Json = nlohmann::ordered_json;

struct NSCoder::Storage {
    Json object = Json::object();
    std::shared_ptr<std::optional<std::string>> error =
        std::make_shared<std::optional<std::string>>();
};

namespace {

// The library's messages start like "[json.exception.parse_error.101] parse error at ";
// the reader needs only what follows.
std::string plainParseMessage(const std::string& what) {
    std::string message = what.substr(what.find(']') == std::string::npos ? 0 : what.find(']') + 1);
    constexpr std::string_view kAt = " parse error at ";
    if (message.starts_with(kAt)) {
        return message.substr(kAt.size());
    }
    return message.starts_with(' ') ? message.substr(1) : message;
}

}  // namespace

NSCoder::NSCoder() : storage_(std::make_unique<Storage>()) {}
NSCoder::NSCoder(std::unique_ptr<Storage> storage) : storage_(std::move(storage)) {}
NSCoder::NSCoder(const NSCoder& other) : storage_(std::make_unique<Storage>(*other.storage_)) {}
NSCoder::NSCoder(NSCoder&& other) noexcept = default;
NSCoder& NSCoder::operator=(const NSCoder& other) {
    if (this != &other) {
        storage_ = std::make_unique<Storage>(*other.storage_);
    }
    return *this;
}
NSCoder& NSCoder::operator=(NSCoder&& other) noexcept = default;
NSCoder::~NSCoder() = default;

std::optional<NSCoder> NSCoder::decoderWithJSON(std::string_view text, std::string& problem) {
    // Copying a nested object recurses once per level: a small file nested a few hundred
    // thousand levels deep would overflow the stack, so such a file is refused while parsing.
    struct TooDeep {};
    const auto limitDepth = [](int depth, Json::parse_event_t event, Json& /*value*/) {
        const bool opens =
            event == Json::parse_event_t::object_start || event == Json::parse_event_t::array_start;
        if (opens && depth >= kMaxDepth) {  // `depth` counts the levels already open
            throw TooDeep{};
        }
        return true;
    };
    auto storage = std::make_unique<Storage>();
    try {
        storage->object = Json::parse(text.begin(), text.end(), limitDepth);
    } catch (const Json::exception& error) {  // syntax, and numbers too large for a double
        problem = plainParseMessage(error.what());
        return std::nullopt;
    } catch (const TooDeep&) {
        problem = "is nested deeper than " + std::to_string(kMaxDepth) + " levels";
        return std::nullopt;
    }
    if (!storage->object.is_object()) {
        problem = "the top level is not a JSON object";
        return std::nullopt;
    }
    return NSCoder{std::move(storage)};
}

std::optional<NSCoder> NSCoder::decoderWithContentsOfFile(const std::filesystem::path& file,
                                                          std::string& problem) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (error) {
        problem = "cannot be read (" + error.message() + ")";
        return std::nullopt;
    }
    if (size > kMaxFileBytes) {
        problem = "is too large (" + std::to_string(size) + " bytes)";
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
        problem = "cannot be read";
        return std::nullopt;
    }
    const std::string contents = text.str();
    if (contents.empty()) {
        problem = "is empty";
        return std::nullopt;
    }
    return decoderWithJSON(contents, problem);
}

bool NSCoder::containsValueForKey(std::string_view key) const {
    return storage_->object.contains(key);
}

double NSCoder::decodeDoubleForKey(std::string_view key) const {
    const auto found = storage_->object.find(key);
    if (found == storage_->object.end()) {
        return 0.0;
    }
    if (!found->is_number()) {
        failWithError("'" + std::string(key) + "' is not a number");
        return 0.0;
    }
    const auto value = found->get<double>();
    if (!std::isfinite(value)) {
        failWithError("'" + std::string(key) + "' is not a finite number");
        return 0.0;
    }
    return value;
}

std::int64_t NSCoder::decodeInt64ForKey(std::string_view key) const {
    const auto found = storage_->object.find(key);
    if (found == storage_->object.end()) {
        return 0;
    }
    if (found->is_number_integer() &&
        (!found->is_number_unsigned() ||
         found->get<std::uint64_t>() <= std::numeric_limits<std::int64_t>::max())) {
        return found->get<std::int64_t>();
    }
    failWithError("'" + std::string(key) + "' is not a 64-bit integer");
    return 0;
}

bool NSCoder::decodeBoolForKey(std::string_view key) const {
    const auto found = storage_->object.find(key);
    if (found == storage_->object.end()) {
        return false;
    }
    if (!found->is_boolean()) {
        failWithError("'" + std::string(key) + "' is not true or false");
        return false;
    }
    return found->get<bool>();
}

std::string NSCoder::decodeStringForKey(std::string_view key) const {
    const auto found = storage_->object.find(key);
    if (found == storage_->object.end()) {
        return {};
    }
    if (!found->is_string()) {
        failWithError("'" + std::string(key) + "' is not a string");
        return {};
    }
    return found->get<std::string>();
}

std::optional<NSCoder> NSCoder::decodeObjectForKey(std::string_view key) const {
    const auto found = storage_->object.find(key);
    if (found == storage_->object.end()) {
        return std::nullopt;
    }
    if (!found->is_object()) {
        failWithError("'" + std::string(key) + "' is not an object");
        return std::nullopt;
    }
    auto nested = std::make_unique<Storage>();
    nested->object = *found;
    nested->error = storage_->error;
    return NSCoder{std::move(nested)};
}

void NSCoder::encodeDouble(double value, std::string_view key) {
    storage_->object[std::string(key)] = value;
}
void NSCoder::encodeInt64(std::int64_t value, std::string_view key) {
    storage_->object[std::string(key)] = value;
}
void NSCoder::encodeBool(bool value, std::string_view key) {
    storage_->object[std::string(key)] = value;
}
void NSCoder::encodeString(std::string_view value, std::string_view key) {
    storage_->object[std::string(key)] = std::string(value);
}
void NSCoder::encodeNullForKey(std::string_view key) {
    storage_->object[std::string(key)] = nullptr;
}
void NSCoder::encodeFloatRows(const std::vector<std::vector<float>>& rows, std::string_view key) {
    Json array = Json::array();
    for (const auto& row : rows) {
        Json values = Json::array();
        for (const float value : row) {
            values.push_back(shortestDouble(value));
        }
        array.push_back(std::move(values));
    }
    storage_->object[std::string(key)] = std::move(array);
}

void NSCoder::failWithError(const std::string& problem) const {
    if (!*storage_->error) {
        *storage_->error = problem;
    }
}

std::optional<std::string> NSCoder::error() const {
    return *storage_->error;
}

std::string NSCoder::JSONString() const {
    constexpr int kIndent = 2;
    // Replace rather than throw on bad UTF-8: a report must always be written.
    return storage_->object.dump(kIndent, ' ', false, Json::error_handler_t::replace);
}

}  // namespace rovuzu
