#pragma once

// What every RunLoop must do, whatever drives it: the simulated loop in virtual time
// (unit/SimRunLoopContractTest.cpp) and the Qt loop in real time (desktop/QtRunLoopTest.cpp)
// run the same cases through a harness.

#include "platform/RunLoop.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace wigglet::test {

class RunLoopHarness {
  public:
    virtual ~RunLoopHarness() = default;
    virtual RunLoop& loop() = 0;
    // Lets the loop run for the given seconds from now.
    virtual void runFor(double seconds) = 0;
    // Blocks the main thread, as a long shake step does.
    virtual void block(double seconds) = 0;
    // How far a fire may land from its ideal time.
    virtual double tolerance() const = 0;
};

using HarnessFactory = std::function<std::unique_ptr<RunLoopHarness>()>;

class RunLoopContract : public ::testing::TestWithParam<HarnessFactory> {
  protected:
    void SetUp() override {
        harness = GetParam()();
        start = harness->loop().now();
    }
    double since() const { return harness->loop().now() - start; }
    void expectFiresNear(const std::vector<double>& expected) {
        ASSERT_EQ(fires.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(fires[i], expected[i], harness->tolerance()) << "fire " << i;
    }

    std::unique_ptr<RunLoopHarness> harness;
    double start = 0;
    std::vector<double> fires;
};

TEST_P(RunLoopContract, RepeatingTimerKeepsItsGrid) {
    auto timer = harness->loop().scheduleTimer(0.5, true, [this] { fires.push_back(since()); });
    harness->runFor(1.75);
    timer->invalidate();
    expectFiresNear({0.5, 1.0, 1.5});
}

TEST_P(RunLoopContract, FiresMissedWhileBlockedComeOnceThenTheGridResumes) {
    bool blocked = false;
    auto timer = harness->loop().scheduleTimer(0.5, true, [&] {
        fires.push_back(since());
        if (!blocked) {
            blocked = true;
            harness->block(1.2); // busy from 0.5 to 1.7: 1.0 and 1.5 fall due meanwhile
        }
    });
    harness->runFor(2.75);
    timer->invalidate();
    expectFiresNear({0.5, 1.7, 2.0, 2.5});
}

TEST_P(RunLoopContract, OneShotTimerReportsValidityAndFireDateAndAnInvalidatedOneDoesNotFire) {
    const double scheduledAt = harness->loop().date();
    auto timer = harness->loop().scheduleTimer(0.6, false, [this] { fires.push_back(since()); });
    auto invalidated = harness->loop().scheduleTimer(0.3, true, [this] { fires.push_back(-1); });
    invalidated->invalidate();
    EXPECT_FALSE(invalidated->isValid());
    EXPECT_TRUE(timer->isValid());
    EXPECT_NEAR(timer->fireDate(), scheduledAt + 0.6, harness->tolerance());
    harness->runFor(1.0);
    expectFiresNear({0.6});
    EXPECT_FALSE(timer->isValid());
}

TEST_P(RunLoopContract, TimerThatNobodyKeepsStillFiresAndOneDroppedInItsCallbackStops) {
    harness->loop().scheduleTimer(0.2, false, [this] { fires.push_back(since()); });
    std::shared_ptr<Timer> timer;
    timer = harness->loop().scheduleTimer(0.3, true, [&] {
        fires.push_back(since());
        timer->invalidate();
        timer.reset();
    });
    harness->runFor(1.0);
    expectFiresNear({0.2, 0.3});
}

TEST_P(RunLoopContract, DispatchedWorkRunsLaterOnTheLoopInOrder) {
    std::vector<int> ran;
    for (int i = 1; i <= 3; ++i)
        harness->loop().dispatchAsync([&ran, i] { ran.push_back(i); });
    EXPECT_TRUE(ran.empty());
    harness->runFor(0.1);
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
}

} // namespace wigglet::test
