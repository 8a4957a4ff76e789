#include "app/ShakeTimer.h"

#include "SimFixture.h"

namespace wigglet::test {

namespace {

class ShakeTimerTest : public SimFixture {
  protected:
    ShakeTimer& timer = ShakeTimer::shared();

    // Runs the check while the main thread is blocked past the countdown's fire date, as a
    // long shake step would.
    TimeLeft timeLeftWhileBlocked(std::int64_t minutes, double blockUntil) {
        timer.start(minutes);
        TimeLeft seen;
        auto probe = sim.runLoop.scheduleTimer(minutes * 60.0 - 1.0, false, [&] {
            sim.sleeper.sleepMicroseconds(
                static_cast<std::uint32_t>((blockUntil - sim.runLoop.now()) * 1e6));
            seen = timer.timeLeft();
        });
        advance(minutes * 60.0 + 5);
        return seen;
    }
};

TEST_F(ShakeTimerTest, NoCountdownReadsIndefinitelyAndZero) {
    EXPECT_EQ(timer.timeLeftString(), "Indefinitely");
    const TimeLeft left = timer.timeLeft();
    EXPECT_EQ(left.hours, 0);
    EXPECT_EQ(left.minutes, 0);
    EXPECT_EQ(left.seconds, 0);
}

TEST_F(ShakeTimerTest, HoursAreShownFromOneHourOnAndSecondsBelowIt) {
    timer.start(90);
    EXPECT_EQ(timer.timeLeftString(), "01h 29m");
    advance(30 * 60 - 1);
    EXPECT_EQ(timer.timeLeftString(), "01h 00m");
    advance(1.5);
    EXPECT_EQ(timer.timeLeftString(), "59m 59s");
    advance(59 * 60 + 50);
    EXPECT_EQ(timer.timeLeftString(), "00m 09s");
}

TEST_F(ShakeTimerTest, OverdueByLessThanASecondTruncatesToZero) {
    const TimeLeft left = timeLeftWhileBlocked(1, 60.4);
    EXPECT_FALSE(left.isNegative());
    EXPECT_EQ(left.seconds, 0);
}

TEST_F(ShakeTimerTest, OverdueByMoreThanASecondIsNegative) {
    const TimeLeft left = timeLeftWhileBlocked(1, 61.2);
    EXPECT_TRUE(left.isNegative());
    EXPECT_EQ(left.seconds, -1);
    EXPECT_EQ(left.minutes, 0);
}

TEST_F(ShakeTimerTest, SignIsKeptOverAnHourOverdue) {
    const TimeLeft left = timeLeftWhileBlocked(1, 60 + 3725.5);
    EXPECT_EQ(left.hours, -1);
    EXPECT_EQ(left.minutes, -2);
    EXPECT_EQ(left.seconds, -5);
}

} // namespace

} // namespace wigglet::test
