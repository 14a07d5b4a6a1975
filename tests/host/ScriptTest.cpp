#include <gtest/gtest.h>

#include "platform/host/core/Script.hpp"
#include "platform/world/DevicePose.hpp"

namespace rovuzu {
namespace {

std::string problemWith(std::string_view text) {
    std::string problem;
    EXPECT_FALSE(Script::parse(text, problem)) << text;
    return problem;
}

TEST(ScriptTest, ReadsEveryVerbWithCommentsAndBlankLines) {
    std::string problem;
    const auto script = Script::parse(R"(# a round
0.5 look 90 -10
0.5 look 1 2 3   # with roll
1 move 0 0.5 -1
2 tap 187.5 333.5

2.5 taps 10 20 30 40
2.75 orient 0 0.7071067811865476 0 0.7071067811865476
3 resize 667 375
4 hide
5 show
6 screenshot shot.png
7 quit
)",
                                      problem);
    ASSERT_TRUE(script) << problem;
    const auto& events = script->events();
    ASSERT_EQ(events.size(), 11U);
    EXPECT_EQ(events[0],
              (TimedInput{0.5, input::Look{DevicePose::rotationFromAngles(90, -10, 0)}}));
    EXPECT_EQ(events[1].input, (Input{input::Look{DevicePose::rotationFromAngles(1, 2, 3)}}));
    EXPECT_EQ(events[2].input, (Input{input::Move{{0, 0.5, -1}}}));
    EXPECT_EQ(events[3].input, (Input{input::Touches{{{187.5, 333.5}}}}));
    EXPECT_EQ(events[4].input, (Input{input::Touches{{{10, 20}, {30, 40}}}}));
    // A quarter turn left, as a quaternion: the same as `look 90 0`.
    const auto* orient = std::get_if<input::Look>(&events[5].input);
    ASSERT_NE(orient, nullptr);
    EXPECT_NEAR(DevicePose{orient->rotation}.angles().x, 90.0, 1e-9);
    EXPECT_EQ(events[6].input, (Input{input::Resize{{667, 375}}}));
    EXPECT_EQ(events[7].input, (Input{input::Hide{}}));
    EXPECT_EQ(events[8].input, (Input{input::Show{}}));
    EXPECT_EQ(events[9].input, (Input{input::Screenshot{"shot.png"}}));
    EXPECT_EQ(events[10], (TimedInput{7.0, input::Quit{}}));
    EXPECT_FALSE(script->seed());
}

TEST(ScriptTest, NamesTheLineAndTheProblem) {
    EXPECT_EQ(problemWith("1 tap 1 2\n\n2 jump\n"), "line 3: unknown verb 'jump'");
    EXPECT_EQ(problemWith("1 tap 1\n"), "line 1: expected 'tap X Y'");
    EXPECT_EQ(problemWith("2 quit\n1 quit\n"), "line 2: time 1 is earlier than the line before");
    EXPECT_EQ(problemWith("soon tap 1 2\n"), "line 1: 'soon' is not a time in seconds");
    EXPECT_EQ(problemWith("-1 quit\n"), "line 1: '-1' is not a time in seconds");
    EXPECT_EQ(problemWith("1 taps 1 2 3\n"), "line 1: expected 'taps X1 Y1 X2 Y2 ...'");
    EXPECT_EQ(problemWith("1 look nan 0\n"), "line 1: 'nan' is not a number");
    EXPECT_EQ(problemWith("1 move 1 2 inf\n"), "line 1: 'inf' is not a number");
    EXPECT_EQ(problemWith("1 look 1 2 3 4\n"), "line 1: expected 'look YAW PITCH [ROLL]'");
    EXPECT_EQ(problemWith("1 screenshot\n"), "line 1: expected 'screenshot FILE'");
    EXPECT_EQ(problemWith("1 resize 0 100\n"),
              "line 1: a view needs a width and height of at least one point");
    EXPECT_EQ(problemWith("1\n"), "line 1: a verb must follow the time");
    EXPECT_EQ(problemWith("1 orient 0 0 0\n"), "line 1: expected 'orient X Y Z W'");
    EXPECT_EQ(problemWith("1 orient 0 0 0 0\n"),
              "line 1: an orientation is a unit quaternion X Y Z W");
    EXPECT_EQ(problemWith("1 orient 0 1 0 0.01\n"),
              "line 1: an orientation is a unit quaternion X Y Z W");
    EXPECT_EQ(problemWith("1 tap 1 2x\n"), "line 1: '2x' is not a number");
}

TEST(ScriptTest, AFileThatNeverEndsIsRefusedNotReadForever) {
    std::string problem;
    EXPECT_FALSE(Script::load("/dev/zero", problem));
    EXPECT_EQ(problem, "/dev/zero: is larger than 64 MB; not a script");
    EXPECT_FALSE(Script::load("/no/such/script.txt", problem));
    EXPECT_EQ(problem, "/no/such/script.txt: cannot be read");
}

TEST(ScriptTest, FormattedInputsReadBackToTheSameValues) {
    const std::vector<TimedInput> events{
        {0.016666666666666666,
         input::Look{DevicePose::rotationFromAngles(12.345678901234567, -0.1, 1e-9)}},
        {0.5, input::Move{{0.1, -2.5e-7, 1e300}}},
        {1.0, input::Touches{{{187.5, 333.5}, {0.1, 666.6}}}},
        {1.5, input::Touches{{{-3.0, 1e-3}}}},
        {2.0, input::Resize{{812.25, 375}}},
        {2.25, input::Hide{}},
        {2.25, input::Show{}},
        {2.5, input::Screenshot{"frame.png"}},
        {3.0, input::Quit{}},
    };
    std::string text = Script::seedComment(4242) + "\n";
    for (const auto& event : events) {
        text += Script::format(event).value() + "\n";
    }
    std::string problem;
    const auto script = Script::parse(text, problem);
    ASSERT_TRUE(script) << problem;
    EXPECT_EQ(script->seed(), 4242U);
    EXPECT_EQ(script->events(), events);
    EXPECT_FALSE(Script::format({4.0, input::Lifecycle{}})) << "a change of focus is no input";
}

}  // namespace
}  // namespace rovuzu
