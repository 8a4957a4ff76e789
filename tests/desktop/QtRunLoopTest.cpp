#include "platform/linux/qt/QtRunLoop.h"

#include "platform/linux/posix/RealSleeper.h"
#include "support/EventLoop.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

using namespace wigglet;
using wigglet::desktop::QtRunLoop;
using wigglet::desktop::RealSleeper;
using wigglet::testing::runUntil;

namespace {

// How far from its grid a fire may land on a busy machine and still count as on the grid.
constexpr double gridSlack = 0.05;

double phase(double t, double origin, double interval) {
    return std::fmod(t - origin, interval);
}

// A one-shot timer that tells when a stretch of run-loop time is over.
struct Marker {
    bool done = false;
    std::shared_ptr<Timer> timer;
    Marker(QtRunLoop& loop, double seconds) {
        timer = loop.scheduleTimer(seconds, false, [this] { done = true; });
    }
    bool runOut() {
        return runUntil([this] { return done; });
    }
};

} // namespace

TEST(QtRunLoop, RepeatingTimerFiresOnceAfterABlockedThreadThenKeepsItsGrid) {
    QtRunLoop loop;
    RealSleeper sleeper;
    // Off-grid fires land half an interval away from the grid, well beyond the slack.
    constexpr double interval = 0.4;
    constexpr double slack = 0.1;
    std::vector<double> fires;
    const double origin = loop.now();
    auto timer = loop.scheduleTimer(interval, true, [&] {
        fires.push_back(loop.now());
        if (fires.size() == 1)
            sleeper.sleepMicroseconds(600'000);
    });
    ASSERT_TRUE(runUntil([&] { return fires.size() >= 4; }));
    timer->invalidate();

    // Due at 0.8 while blocked until about 1.0: one late fire.
    EXPECT_GE(fires[1] - origin, 1.0);
    EXPECT_GT(phase(fires[1], origin, interval), slack);
    // Then 1.2 and 1.6, not 1.4 and 1.8 as a plain QTimer would.
    EXPECT_LT(phase(fires[2], origin, interval), slack);
    EXPECT_LT(phase(fires[3], origin, interval), slack);
    EXPECT_LT(fires[2] - fires[1], interval - slack);
}

TEST(QtRunLoop, RepeatingTimerFireDateIsTheNextGridPoint) {
    QtRunLoop loop;
    constexpr double interval = 0.1;
    std::vector<double> fireDates;
    const double scheduled = loop.date();
    std::shared_ptr<Timer> timer;
    timer = loop.scheduleTimer(interval, true, [&] { fireDates.push_back(timer->fireDate()); });
    EXPECT_NEAR(timer->fireDate(), scheduled + interval, gridSlack);
    ASSERT_TRUE(runUntil([&] { return fireDates.size() >= 3; }));
    timer->invalidate();
    for (std::size_t i = 0; i < fireDates.size(); ++i)
        EXPECT_NEAR(fireDates[i], scheduled + interval * double(i + 2), gridSlack) << i;
}

TEST(QtRunLoop, OneShotTimerIsValidUntilItFiresOnce) {
    QtRunLoop loop;
    int fired = 0;
    const double scheduled = loop.date();
    auto timer = loop.scheduleTimer(0.15, false, [&] { ++fired; });
    EXPECT_TRUE(timer->isValid());
    EXPECT_NEAR(timer->fireDate(), scheduled + 0.15, gridSlack);

    Marker after(loop, 0.4);
    ASSERT_TRUE(after.runOut());
    EXPECT_EQ(fired, 1);
    EXPECT_FALSE(timer->isValid());
}

TEST(QtRunLoop, InvalidatedTimerNeverFires) {
    QtRunLoop loop;
    int fired = 0;
    auto repeating = loop.scheduleTimer(0.03, true, [&] { ++fired; });
    auto oneShot = loop.scheduleTimer(0.03, false, [&] { ++fired; });
    repeating->invalidate();
    oneShot->invalidate();

    Marker after(loop, 0.15);
    ASSERT_TRUE(after.runOut());
    EXPECT_EQ(fired, 0);
    EXPECT_FALSE(repeating->isValid());
    EXPECT_FALSE(oneShot->isValid());
}

TEST(QtRunLoop, ScheduledTimerFiresWithoutTheCallerKeepingIt) {
    QtRunLoop loop;
    int fired = 0;
    loop.scheduleTimer(0.03, false, [&] { ++fired; });
    Marker after(loop, 0.15);
    ASSERT_TRUE(after.runOut());
    EXPECT_EQ(fired, 1);
}

TEST(QtRunLoop, TimerInvalidatedAndDroppedInItsOwnCallbackStops) {
    QtRunLoop loop;
    int fired = 0;
    std::shared_ptr<Timer> timer;
    timer = loop.scheduleTimer(0.02, true, [&] {
        ++fired;
        timer->invalidate();
        timer.reset();
    });
    Marker after(loop, 0.2);
    ASSERT_TRUE(after.runOut());
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(timer, nullptr);
}

TEST(QtRunLoop, DispatchedWorkRunsLaterInOrder) {
    QtRunLoop loop;
    std::vector<int> ran;
    for (int i = 1; i <= 3; ++i)
        loop.dispatchAsync([&ran, i] { ran.push_back(i); });
    EXPECT_TRUE(ran.empty());
    ASSERT_TRUE(runUntil([&] { return ran.size() == 3; }));
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

TEST(QtRunLoop, ClocksAdvanceTogether) {
    QtRunLoop loop;
    RealSleeper sleeper;
    const double monotonic = loop.now();
    const double wall = loop.date();
    sleeper.sleepMicroseconds(20'000);
    const double monotonicElapsed = loop.now() - monotonic;
    const double wallElapsed = loop.date() - wall;
    EXPECT_GE(monotonicElapsed, 0.02);
    EXPECT_NEAR(monotonicElapsed, wallElapsed, 0.01);
}
