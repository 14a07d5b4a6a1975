#include <gtest/gtest.h>

#include "platform/host/core/Script.hpp"

namespace rovuzu {
namespace {

using Verb = InputEvent::Verb;

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
3 resize 667 375
4 hide
5 show
6 screenshot shot.png
7 quit
)",
                                      problem);
    ASSERT_TRUE(script) << problem;
    const auto& events = script->events();
    ASSERT_EQ(events.size(), 10U);
    EXPECT_EQ(events[0].verb, Verb::look);
    EXPECT_EQ(events[0].values, (std::vector<double>{90, -10}));
    EXPECT_EQ(events[1].values, (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(events[4].verb, Verb::taps);
    EXPECT_EQ(events[4].values.size(), 4U);
    EXPECT_EQ(events[8].file, "shot.png");
    EXPECT_EQ(events[9].verb, Verb::quit);
    EXPECT_EQ(events[9].time, 7.0);
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
    EXPECT_EQ(problemWith("1 tap 1 2x\n"), "line 1: '2x' is not a number");
}

TEST(ScriptTest, AFileThatNeverEndsIsRefusedNotReadForever) {
    std::string problem;
    EXPECT_FALSE(Script::load("/dev/zero", problem));
    EXPECT_EQ(problem, "/dev/zero: is larger than 64 MB; not a script");
    EXPECT_FALSE(Script::load("/no/such/script.txt", problem));
    EXPECT_EQ(problem, "/no/such/script.txt: cannot be read");
}

TEST(ScriptTest, FormattedEventsReadBackToTheSameValues) {
    const std::vector<InputEvent> events{
        {0.016666666666666666, Verb::look, {12.345678901234567, -0.1, 1e-9}, {}},
        {1.0, Verb::taps, {187.5, 333.5, 0.1, 666.6}, {}},
        {2.5, Verb::screenshot, {}, "frame.png"},
        {3.0, Verb::quit, {}, {}},
    };
    std::string text = Script::seedComment(4242) + "\n";
    for (const auto& event : events) {
        text += Script::format(event) + "\n";
    }
    std::string problem;
    const auto script = Script::parse(text, problem);
    ASSERT_TRUE(script) << problem;
    EXPECT_EQ(script->seed(), 4242U);
    ASSERT_EQ(script->events().size(), events.size());
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(script->events()[i].time, events[i].time);
        EXPECT_EQ(script->events()[i].verb, events[i].verb);
        EXPECT_EQ(script->events()[i].values, events[i].values);
        EXPECT_EQ(script->events()[i].file, events[i].file);
    }
}

}  // namespace
}  // namespace rovuzu
