#include "app/ShakeTimer.h"

#include "SimFixture.h"

namespace wigglet::test {

namespace {

class ShakeTimerTest : public SimFixture {
  protected:
    ShakeTimer& timer = ShakeTimer::shared();

    // Reads the one-minute countdown while the main thread is blocked past its fire date by
    // the given seconds, as a long shake step would.
    TimeLeft timeLeftOverdueBy(double overdue) {
        const double end = sim.runLoop.now() + 60;
        timer.start(1);
        TimeLeft seen;
        auto probe = sim.runLoop.scheduleTimer(59.0, false, [&] {
            sim.sleeper.sleepMicroseconds(
                static_cast<std::uint32_t>((end + overdue - sim.runLoop.now()) * 1e6));
            seen = timer.timeLeft();
        });
        advance(65);
        return seen;
    }
};

// The time-left text itself is ui-menu-time-left's.
TEST_F(ShakeTimerTest, AnOverdueCountdownTruncatesTowardZeroAndKeepsItsSign) {
    const struct {
        const char* behaviour;
        double overdue;
        TimeLeft expected;
    } rows[] = {
        {"overdue by less than a second reads zero", 0.4, {0, 0, 0}},
        {"overdue by more than a second is negative", 1.2, {0, 0, -1}},
        {"over an hour overdue every part is negative", 3725.5, {-1, -2, -5}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const TimeLeft left = timeLeftOverdueBy(row.overdue);
        EXPECT_EQ(left.hours, row.expected.hours);
        EXPECT_EQ(left.minutes, row.expected.minutes);
        EXPECT_EQ(left.seconds, row.expected.seconds);
    }
}

} // namespace

} // namespace wigglet::test
