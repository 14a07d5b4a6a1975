#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rovuzu {

// A keyed archive, stored as a JSON object: the scene file, the app configuration and the
// main interface are read through it, and the report is written through it.
//
// Decoding follows the platform: a missing key gives the type's zero value. A key holding the
// wrong kind of value also gives zero, and records the problem with failWithError, so that a
// loader can refuse a malformed file with a clear message instead of half-using it.
class NSCoder {
  public:
    NSCoder();
    NSCoder(const NSCoder& other);
    NSCoder(NSCoder&& other) noexcept;
    NSCoder& operator=(const NSCoder& other);
    NSCoder& operator=(NSCoder&& other) noexcept;
    ~NSCoder();

    // Parses JSON text whose top level is an object, nested at most kMaxDepth deep. On failure
    // returns nothing and says why in `problem` ("line 3, column 5: ...").
    static std::optional<NSCoder> decoderWithJSON(std::string_view text, std::string& problem);
    // Reads and parses a file; files larger than kMaxFileBytes are refused.
    static std::optional<NSCoder> decoderWithContentsOfFile(const std::filesystem::path& file,
                                                            std::string& problem);
    static constexpr std::uintmax_t kMaxFileBytes = std::uintmax_t{1024} * 1024;
    // Objects and arrays nested deeper than this are refused; the game's files nest three deep.
    static constexpr int kMaxDepth = 64;

    [[nodiscard]] bool containsValueForKey(std::string_view key) const;
    [[nodiscard]] double decodeDoubleForKey(std::string_view key) const;
    [[nodiscard]] std::int64_t decodeInt64ForKey(std::string_view key) const;
    [[nodiscard]] bool decodeBoolForKey(std::string_view key) const;
    [[nodiscard]] std::string decodeStringForKey(std::string_view key) const;
    // A nested object, sharing this coder's error.
    [[nodiscard]] std::optional<NSCoder> decodeObjectForKey(std::string_view key) const;

    void encodeDouble(double value, std::string_view key);
    void encodeInt64(std::int64_t value, std::string_view key);
    void encodeBool(bool value, std::string_view key);
    void encodeString(std::string_view value, std::string_view key);
    void encodeNullForKey(std::string_view key);
    void encodeFloatRows(const std::vector<std::vector<float>>& rows, std::string_view key);

    // Records a decoding problem; the first one recorded is kept.
    void failWithError(const std::string& problem) const;
    [[nodiscard]] std::optional<std::string> error() const;

    // The archive as JSON text, keys in the order they were encoded.
    [[nodiscard]] std::string JSONString() const;

  private:
    struct Storage;
    explicit NSCoder(std::unique_ptr<Storage> storage);

    std::unique_ptr<Storage> storage_;
};

}  // namespace rovuzu
