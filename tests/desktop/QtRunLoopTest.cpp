#include "platform/linux/qt/QtRunLoop.h"

#include "RunLoopContract.h"
#include "platform/linux/posix/RealSleeper.h"
#include "support/EventLoop.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace wigglet::test {

using desktop::QtRunLoop;
using desktop::RealSleeper;
using testing::runUntil;

namespace {

class QtHarness final : public RunLoopHarness {
  public:
    RunLoop& loop() override { return qtLoop; }
    void runFor(double seconds) override {
        bool over = false;
        auto marker = qtLoop.scheduleTimer(seconds, false, [&] { over = true; });
        ASSERT_TRUE(runUntil([&] { return over; }));
    }
    void block(double seconds) override {
        sleeper.sleepMicroseconds(static_cast<std::uint32_t>(std::llround(seconds * 1e6)));
    }
    // Real time on a shared machine: a fire may come late, never on the wrong grid point.
    double tolerance() const override { return 0.15; }

  private:
    QtRunLoop qtLoop;
    RealSleeper sleeper;
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Qt, RunLoopContract, ::testing::Values(HarnessFactory([] {
                             return std::unique_ptr<RunLoopHarness>(new QtHarness);
                         })));

TEST(QtRunLoop, ScheduledTimerFiresWithoutTheCallerKeepingIt) {
    QtHarness harness;
    int fired = 0;
    harness.loop().scheduleTimer(0.03, false, [&] { ++fired; });
    harness.runFor(0.15);
    EXPECT_EQ(fired, 1);
}

TEST(QtRunLoop, TimerInvalidatedAndDroppedInItsOwnCallbackStops) {
    QtHarness harness;
    int fired = 0;
    std::shared_ptr<Timer> timer;
    timer = harness.loop().scheduleTimer(0.02, true, [&] {
        ++fired;
        timer->invalidate();
        timer.reset();
    });
    harness.runFor(0.2);
    EXPECT_EQ(fired, 1);
}

TEST(QtRunLoop, RepeatingTimerFireDateIsTheNextGridPoint) {
    QtHarness harness;
    std::vector<double> fireDates;
    const double scheduled = harness.loop().date();
    std::shared_ptr<Timer> timer;
    timer =
        harness.loop().scheduleTimer(0.4, true, [&] { fireDates.push_back(timer->fireDate()); });
    harness.runFor(1.3);
    timer->invalidate();
    ASSERT_EQ(fireDates.size(), 3u);
    for (std::size_t i = 0; i < fireDates.size(); ++i)
        EXPECT_NEAR(fireDates[i], scheduled + 0.4 * double(i + 2), harness.tolerance()) << i;
}

TEST(QtRunLoop, DispatchedWorkRunsInOrder) {
    QtHarness harness;
    std::vector<int> ran;
    for (int i = 1; i <= 3; ++i)
        harness.loop().dispatchAsync([&ran, i] { ran.push_back(i); });
    harness.runFor(0.05);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

} // namespace wigglet::test
