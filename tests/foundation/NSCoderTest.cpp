#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

#include "platform/foundation/NSCoder.hpp"

namespace rovuzu {
namespace {

std::optional<NSCoder> parse(std::string_view text, std::string& problem) {
    return NSCoder::decoderWithJSON(text, problem);
}

TEST(NSCoderTest, RefusesTextThatIsNotAJsonObjectAndSaysWhere) {
    std::string problem;
    EXPECT_FALSE(parse("{\n  \"class\": \"Scene\",\n}", problem));
    EXPECT_NE(problem.find("line 3"), std::string::npos) << problem;
    EXPECT_FALSE(parse("[1, 2]", problem));
    EXPECT_EQ(problem, "the top level is not a JSON object");
    EXPECT_FALSE(parse("", problem));
    EXPECT_FALSE(parse("{\"a\": \"\xff\xfe\"}", problem));
    EXPECT_FALSE(parse(R"({"big": 1e400})", problem));
    EXPECT_EQ(problem, "number overflow parsing '1e400'");
}

TEST(NSCoderTest, MissingKeysGiveZeroAndWrongTypesAreRecordedOnce) {
    std::string problem;
    const auto coder = parse(R"({"name": 5, "size": {"width": "wide"}, "count": 2.5})", problem);
    ASSERT_TRUE(coder) << problem;
    EXPECT_EQ(coder->decodeDoubleForKey("absent"), 0.0);
    EXPECT_EQ(coder->decodeStringForKey("absent"), "");
    EXPECT_FALSE(coder->error());
    EXPECT_EQ(coder->decodeStringForKey("name"), "");
    EXPECT_EQ(coder->error(), "'name' is not a string");
    const auto size = coder->decodeObjectForKey("size");
    ASSERT_TRUE(size);
    EXPECT_EQ(size->decodeDoubleForKey("width"), 0.0);
    EXPECT_EQ(coder->error(), "'name' is not a string");  // the first problem is the one kept
    EXPECT_EQ(coder->decodeInt64ForKey("count"), 0);
}

TEST(NSCoderTest, ANestedProblemReachesTheOuterCoder) {
    std::string problem;
    const auto coder = parse(R"({"size": {"width": true}})", problem);
    ASSERT_TRUE(coder);
    EXPECT_EQ(coder->decodeObjectForKey("size")->decodeDoubleForKey("width"), 0.0);
    EXPECT_EQ(coder->error(), "'width' is not a number");
}

TEST(NSCoderTest, EncodesInOrderAndEscapesBadText) {
    NSCoder coder;
    coder.encodeInt64(25, "targetsCreated");
    coder.encodeString("Faltan: 0", "hudText");
    coder.encodeNullForKey("elapsedText");
    coder.encodeFloatRows({{1.5F, -0.25F}}, "values");
    coder.encodeString("\xff", "broken");
    EXPECT_EQ(
        coder.JSONString(),
        "{\n  \"targetsCreated\": 25,\n  \"hudText\": \"Faltan: 0\",\n  \"elapsedText\": null,\n"
        "  \"values\": [\n    [\n      1.5,\n      -0.25\n    ]\n  ],\n  \"broken\": "
        "\"\xef\xbf\xbd\"\n}");
}

TEST(NSCoderTest, ReadsFilesAndRefusesEmptyMissingAndHugeOnes) {
    const auto dir = std::filesystem::temp_directory_path() / "rovuzu-nscoder-test";
    std::filesystem::create_directories(dir);
    std::string problem;
    std::ofstream(dir / "empty.json").flush();
    EXPECT_FALSE(NSCoder::decoderWithContentsOfFile(dir / "empty.json", problem));
    EXPECT_EQ(problem, "is empty");
    EXPECT_FALSE(NSCoder::decoderWithContentsOfFile(dir / "missing.json", problem));
    EXPECT_NE(problem.find("cannot be read"), std::string::npos);
    std::ofstream(dir / "huge.json") << std::string(NSCoder::kMaxFileBytes + 1, ' ');
    EXPECT_FALSE(NSCoder::decoderWithContentsOfFile(dir / "huge.json", problem));
    EXPECT_NE(problem.find("too large"), std::string::npos);
    std::ofstream(dir / "ok.json") << R"({"class": "Scene"})";
    const auto coder = NSCoder::decoderWithContentsOfFile(dir / "ok.json", problem);
    ASSERT_TRUE(coder);
    EXPECT_EQ(coder->decodeStringForKey("class"), "Scene");
    std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace rovuzu
