#include "SimFixture.h"

namespace wigglet::test {

namespace {

class SimRunLoopTest : public SimFixture {};

TEST_F(SimRunLoopTest, UserInputArrivesInsideABlockingSleepButOtherWorkWaits) {
    std::vector<std::pair<std::string, double>> seen;
    sim.runLoop.scheduleOutside(500'000, sim::SimRunLoop::Arrival::EvenWhileBlocked,
                                [&] { seen.emplace_back("input", sim.runLoop.now()); });
    sim.runLoop.scheduleOutside(600'000, sim::SimRunLoop::Arrival::WhenFree,
                                [&] { seen.emplace_back("menu", sim.runLoop.now()); });
    auto timer = sim.runLoop.scheduleTimer(0.1, false, [&] {
        sim.sleeper.sleepMicroseconds(900'000);
        seen.emplace_back("step done", sim.runLoop.now());
    });
    advance(2);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], (std::pair<std::string, double>{"input", 0.5}));
    EXPECT_EQ(seen[1], (std::pair<std::string, double>{"step done", 1.0}));
    EXPECT_EQ(seen[2], (std::pair<std::string, double>{"menu", 1.0}));
}

TEST_F(SimRunLoopTest, AdvanceEndsWhereALongStepLeftTheClock) {
    auto timer =
        sim.runLoop.scheduleTimer(1.0, false, [&] { sim.sleeper.sleepMicroseconds(1'700'000); });
    advance(1.5);
    EXPECT_DOUBLE_EQ(sim.runLoop.now(), 2.7);
}

TEST_F(SimRunLoopTest, WallClockMovesOnBetweenReadsButNeverLagsVirtualTime) {
    const double first = sim.runLoop.date();
    const double second = sim.runLoop.date();
    EXPECT_GT(second, first);
    advance(10);
    EXPECT_GE(sim.runLoop.date(), 10.0);
    EXPECT_LT(sim.runLoop.date(), 10.001);
}

} // namespace

} // namespace wigglet::test
