#include <memory>
#include <string>
#include <vector>

#include "platform/foundation/NSRunLoop.hpp"
#include "platform/foundation/NSTimer.hpp"
#include "tests/support/TestPlatform.hpp"

namespace rovuzu {
namespace {

using NSRunLoopTest = PlatformTest;

TEST_F(NSRunLoopTest, FiresDueTimersInDueOrderThenInScheduleOrder) {
    std::vector<std::string> fired;
    clock.advanceTo(0.0);
    const auto late = NSTimer::scheduledTimerWithTimeInterval(
        2.0, false, [&](NSTimer&) { fired.push_back("late"); });
    const auto first = NSTimer::scheduledTimerWithTimeInterval(
        1.0, false, [&](NSTimer&) { fired.push_back("first"); });
    const auto second = NSTimer::scheduledTimerWithTimeInterval(
        1.0, false, [&](NSTimer&) { fired.push_back("second"); });
    clock.advanceTo(0.999);
    NSRunLoop::mainRunLoop().fireDueTimers();
    EXPECT_TRUE(fired.empty());
    clock.advanceTo(5.0);
    NSRunLoop::mainRunLoop().fireDueTimers();
    EXPECT_EQ(fired, (std::vector<std::string>{"first", "second", "late"}));
    EXPECT_FALSE(first->isValid());
    EXPECT_EQ(NSRunLoop::mainRunLoop().timerCount(), 0U);
}

TEST_F(NSRunLoopTest, ARepeatingTimerKeepsItsBeatAndSkipsWhatItMissed) {
    int ticks = 0;
    const auto timer =
        NSTimer::scheduledTimerWithTimeInterval(3.0, true, [&](NSTimer&) { ++ticks; });
    runUntil(9.0);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(timer->fireDate(), 12.0);
    clock.advanceTo(20.0);  // a stall: the platform fires once, not three times
    NSRunLoop::mainRunLoop().fireDueTimers();
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(timer->fireDate(), 21.0);
}

TEST_F(NSRunLoopTest, InvalidatingFromTheBlockStopsItAndReleasesWhatItHolds) {
    auto held = std::make_shared<int>(7);
    std::weak_ptr<int> watch = held;
    int ticks = 0;
    std::shared_ptr<NSTimer> timer = NSTimer::scheduledTimerWithTimeInterval(
        1.0, true, [&ticks, held = std::move(held)](NSTimer& self) {
            EXPECT_EQ(*held, 7);  // still alive while the block runs
            if (++ticks == 2) {
                self.invalidate();
            }
        });
    runUntil(10.0);
    EXPECT_EQ(ticks, 2);
    EXPECT_FALSE(timer->isValid());
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(NSRunLoop::mainRunLoop().nextFireDate().has_value());
}

TEST_F(NSRunLoopTest, InvalidateAllLetsGoOfEveryBlock) {
    auto held = std::make_shared<int>(1);
    std::weak_ptr<int> watch = held;
    const auto timer = NSTimer::scheduledTimerWithTimeInterval(1.0, true, [held](NSTimer&) {});
    held.reset();
    NSRunLoop::mainRunLoop().invalidateAll();
    EXPECT_TRUE(watch.expired());
    EXPECT_FALSE(timer->isValid());
}

TEST_F(NSRunLoopTest, NonsenseIntervalsCannotSpinTheLoop) {
    int ticks = 0;
    NSTimer::scheduledTimerWithTimeInterval(-5.0, true, [&](NSTimer&) { ++ticks; });
    NSTimer::scheduledTimerWithTimeInterval(std::numeric_limits<double>::quiet_NaN(), true,
                                            [&](NSTimer&) { ++ticks; });
    clock.advanceTo(1.0);
    NSRunLoop::mainRunLoop().fireDueTimers();
    EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace rovuzu
