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

// The simulated loop still names the current point while the callback runs.
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

} // namespace wigglet::test
