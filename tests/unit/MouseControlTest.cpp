#include "input/MouseControl.h"

#include "SimFixture.h"

#include <algorithm>
#include <cmath>

using namespace wigglet;
using Micros = std::vector<std::int64_t>;

namespace {

// The steps ease in over the first 24 and out over the last 25 pauses, which shorten from 12 ms
// and lengthen again; the cruise pauses between are random from 5 to 5.6 ms.
bool eased(int k, int n) {
    return k <= 24 || k > n - 25;
}

void expectSteppedPauses(const Micros& pauses, std::size_t from, int n) {
    ASSERT_GE(pauses.size(), from + n);
    const auto at = [&](int k) { return pauses[from + k - 1]; };
    EXPECT_EQ(at(1), 12000);
    for (int k = 2; k <= n; ++k) {
        SCOPED_TRACE("step " + std::to_string(k) + " of " + std::to_string(n));
        if (k <= 24) {
            EXPECT_LT(at(k), at(k - 1));
        } else if (eased(k, n)) {
            EXPECT_GT(at(k), at(k - 1));
        } else {
            EXPECT_GE(at(k), 5000);
            EXPECT_LE(at(k), 5600);
        }
    }
}

// Step k of n, from `step` on, lies on the line from `from` to `to` at k / n within `tolerance`
// on each axis; the points from `first` on are those steps.
void expectOnLine(const std::vector<Point>& points, std::size_t first, Point from, Point to, int n,
                  int step, double tolerance) {
    ASSERT_GE(points.size(), first + n + 1 - step);
    for (int k = step; k <= n; ++k) {
        const Point p = points[first + k - step];
        EXPECT_NEAR(p.x, from.x + (to.x - from.x) * k / n, tolerance) << "step " << k;
        EXPECT_NEAR(p.y, from.y + (to.y - from.y) * k / n, tolerance) << "step " << k;
    }
}

// A jittered leg starts on its first point, a stepped glide one step on.
void expectJitteredLine(const std::vector<Point>& points, std::size_t first, Point from, Point to,
                        int n) {
    expectOnLine(points, first, from, to, n, 0, 1.0);
}

void expectSteppedLine(const std::vector<Point>& points, std::size_t first, Point from, Point to,
                       int n) {
    expectOnLine(points, first, from, to, n, 1, 1e-6);
}

class MouseControlTest : public test::SimFixture {
  protected:
    MouseControlTest() { sim.platform().trace().setSleepsEnabled(true); }

    std::vector<Point> warps() const { return points("warp"); }
    Micros sleeps() const { return numbers("sleep", "us"); }
    Micros scrollValues() const { return numbers("scroll", "value"); }
    // Real input from the given seconds from now onwards, and none before.
    void userActiveFrom(double seconds) {
        sim.world.activePeriods = {
            {sim.micros() + std::llround(seconds * 1e6), std::int64_t{1} << 50}};
    }
    double elapsedSince(std::int64_t startMicros) const {
        return static_cast<double>(sim.micros() - startMicros) / 1e6;
    }

    MouseControl control;
};

// The smooth excursion's steps and pauses are input-user-stops-pattern's.
// The natural excursion's legs and pauses are input-natural-cycle's.
TEST_F(MouseControlTest, NaturalReturnPassesTheTargetSwingsBackAndEndsExactlyOnIt) {
    const struct {
        const char* behaviour;
        Point pointer, target, overshoot, settle;
    } rows[] = {
        {"from below right it passes up left", {900, 700}, {500, 300}, {455, 240}, {495, 280}},
        {"from above left it passes down right", {100, 100}, {500, 300}, {545, 360}, {505, 320}},
        {"already on the target it passes up left", {500, 300}, {500, 300}, {455, 240}, {495, 280}},
        {"near the origin the overshoot stops at zero", {20, 30}, {20, 30}, {0, 0}, {15, 10}},
        {"near the far corner it stops at the edge", {0, 0}, {1430, 880}, {1440, 900}, {1435, 900}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        clearTrace();
        sim.world.pointer = row.pointer;
        const std::int64_t began = sim.micros();
        control.shakeMouseNaturalReturningTo(row.target);

        const std::vector<Point> points = warps();
        ASSERT_EQ(points.size(), 19u + 13 + 20 + 1);
        expectJitteredLine(points, 0, row.pointer, row.overshoot, 18);
        expectJitteredLine(points, 19, row.overshoot, row.settle, 12);
        expectSteppedLine(points, 32, row.settle, row.target, 20);
        EXPECT_EQ(points.back(), row.target);

        const Micros pauses = sleeps();
        ASSERT_EQ(pauses.size(), 19u + 1 + 13 + 1 + 20);
        EXPECT_EQ(pauses[19], 250000);
        EXPECT_EQ(pauses[33], 270000);
        expectSteppedPauses(pauses, 34, 20);
        EXPECT_NEAR(elapsedSince(began), 1.28, 0.005);
    }
}

// Offsets of 130 to 500 either way are reflected once near an edge, so on a narrow screen one
// can still leave it.
TEST_F(MouseControlTest, OffsetsCoverTheirRangeBothWaysAndAreReflectedOnceAtAnEdge) {
    double smallest = 1e9, largest = 0;
    int negative = 0;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        const double offset = control.getRandomCoord();
        smallest = std::min(smallest, std::abs(offset));
        largest = std::max(largest, std::abs(offset));
        negative += offset < 0;
    }
    EXPECT_TRUE(smallest >= 130 && smallest < 131) << smallest;
    EXPECT_TRUE(largest > 499 && largest <= 500) << largest;
    EXPECT_NEAR(negative, draws / 2, draws / 20);

    for (int run = 0; run < 10; ++run) {
        sim.world.pointer = {1430, 890};
        control.shakeMouseNaturalGoing();
        const Point end = warps().back();
        EXPECT_TRUE(end.x < 1430 && end.y < 890) << "run " << run;
    }
    sim.world.screen = Size{200, 200};
    sim.world.pointer = {100, 100};
    control.shakeMouseNaturalGoing();
    const Point end = warps().back();
    EXPECT_TRUE((end.x < 0 || end.x > 200) && (end.y < 0 || end.y > 200)) << end.x << "," << end.y;
}

// That the cruise pauses use their whole range is input-user-stops-pattern's.
// That the jitter uses its whole point is input-natural-cycle's.
TEST_F(MouseControlTest, ScrollEventsFollowThePointer) {
    sim.world.pointer = {321, 123};
    sim.runLoop.scheduleOutside(100000, sim::SimRunLoop::Arrival::EvenWhileBlocked, [this] {
        sim.world.pointer = {50, 60};
    });
    control.simulateSmoothScrollWithDistance(80, 0.8);
    const std::vector<Point> places = points("scroll");
    ASSERT_EQ(places.size(), 48u);
    EXPECT_EQ(places.front(), (Point{321, 123}));
    EXPECT_EQ(places.back(), (Point{50, 60}));
}

// The natural pattern and scroll stopped by real input are input-user-stops-natural's.
TEST_F(MouseControlTest, RealInputStopsTheSmoothScrollAtTheNextProbe) {
    userActiveFrom(0);
    control.simulateSmoothScrollWithDistance(100, 0.8);
    EXPECT_EQ(scrollValues().size(), 1u);
}

} // namespace
