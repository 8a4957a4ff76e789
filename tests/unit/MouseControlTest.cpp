#include "input/MouseControl.h"

#include "SimFixture.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <numeric>
#include <string>
#include <vector>

using namespace wigglet;
using test::TraceRecords;
using Micros = std::vector<std::int64_t>;

namespace {

constexpr std::int64_t kFrame = 16666;

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

void expectOffsetInRange(Point from, Point to) {
    for (const double offset : {to.x - from.x, to.y - from.y}) {
        EXPECT_GE(std::abs(offset), 130 - 1e-6);
        EXPECT_LE(std::abs(offset), 500 + 1e-6);
    }
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

TEST_F(MouseControlTest, SmoothExcursionSteps120OutAnd100BackThenWarpsOntoTheStart) {
    const Point start{700, 400};
    sim.world.pointer = start;
    const std::int64_t began = sim.micros();
    control.shakeMouseSmooth();

    const std::vector<Point> points = warps();
    ASSERT_EQ(points.size(), 221u);
    const Point end = points[119];
    expectOffsetInRange(start, end);
    expectSteppedLine(points, 0, start, end, 120);
    expectSteppedLine(points, 120, end, start, 100);
    EXPECT_EQ(points[220], start);

    const Micros pauses = sleeps();
    ASSERT_EQ(pauses.size(), 220u);
    expectSteppedPauses(pauses, 0, 120);
    expectSteppedPauses(pauses, 120, 100);
    EXPECT_EQ(pauses[23], 9608);
    EXPECT_EQ(pauses[95], 7952);
    EXPECT_EQ(pauses[119], 12200);
    EXPECT_NEAR(elapsedSince(began), 1.67, 0.045);
    EXPECT_EQ(sim.micros() - began, std::accumulate(pauses.begin(), pauses.end(), std::int64_t{0}));
}

TEST_F(MouseControlTest, NaturalExcursionGoesInTwoJitteredLegsWithARestBetween) {
    const Point start{700, 400};
    sim.world.pointer = start;
    const std::int64_t began = sim.micros();
    control.shakeMouseNaturalGoing();

    const std::vector<Point> points = warps();
    ASSERT_EQ(points.size(), 19u + 2 + 13 + 2);
    const Point end = points.back();
    expectOffsetInRange(start, end);
    const Point middle{start.x + 0.6 * (end.x - start.x), start.y + 0.35 * (end.y - start.y)};
    expectJitteredLine(points, 0, start, middle, 18);
    expectSteppedLine(points, 19, points[18], middle, 2);
    expectJitteredLine(points, 21, middle, end, 12);
    expectSteppedLine(points, 34, points[33], end, 2);

    Micros expected(19, kFrame);
    expected.insert(expected.end(), {12000, 11918, 350000});
    expected.insert(expected.end(), 13, kFrame);
    expected.insert(expected.end(), {12000, 11918});
    EXPECT_EQ(sleeps(), expected);
    EXPECT_NEAR(elapsedSince(began), 0.93, 0.005);
}

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

TEST_F(MouseControlTest, OnANarrowScreenAReflectedOffsetCanStillLeaveIt) {
    sim.world.screen = Size{200, 200};
    bool leftTheScreen = false;
    for (std::uint64_t seed = 1; seed <= 20 && !leftTheScreen; ++seed) {
        sim.platform().random().reseed(seed);
        sim.world.pointer = {100, 100};
        control.shakeMouseNaturalGoing();
        const Point end = warps().back();
        leftTheScreen = end.x < 0 || end.x > 200 || end.y < 0 || end.y > 200;
    }
    EXPECT_TRUE(leftTheScreen);
}

TEST_F(MouseControlTest, RandomOffsetsCoverTheirRangeWithBothSigns) {
    double smallest = 1e9, largest = 0;
    int negative = 0;
    const int draws = 20000;
    for (int i = 0; i < draws; ++i) {
        const double offset = control.getRandomCoord();
        ASSERT_GE(std::abs(offset), 130.0);
        ASSERT_LE(std::abs(offset), 500.0);
        smallest = std::min(smallest, std::abs(offset));
        largest = std::max(largest, std::abs(offset));
        negative += offset < 0;
    }
    EXPECT_LT(smallest, 131.0);
    EXPECT_GT(largest, 499.0);
    EXPECT_NEAR(negative, draws / 2, draws / 20);
}

TEST_F(MouseControlTest, ExcursionsFromACornerAreReflectedAndUseTheWholeCruiseRange) {
    const Point start{1430, 890};
    const int runs = 40;
    for (int run = 0; run < runs; ++run) {
        sim.world.pointer = start;
        control.shakeMouseSmooth();
    }
    const std::vector<Point> points = warps();
    ASSERT_EQ(points.size(), 221u * runs);
    for (int run = 0; run < runs; ++run) {
        const Point end = points[221 * run + 119];
        EXPECT_LT(end.x, start.x) << "run " << run;
        EXPECT_LT(end.y, start.y) << "run " << run;
    }
    std::int64_t smallest = INT64_MAX, largest = 0;
    const Micros pauses = sleeps();
    ASSERT_EQ(pauses.size(), 220u * runs);
    for (std::size_t i = 0; i < pauses.size(); ++i) {
        const bool out = i % 220 < 120;
        if (eased(static_cast<int>(out ? i % 220 + 1 : i % 220 - 119), out ? 120 : 100))
            continue;
        smallest = std::min(smallest, pauses[i]);
        largest = std::max(largest, pauses[i]);
    }
    EXPECT_EQ(smallest, 5000);
    EXPECT_EQ(largest, 5600);
}

TEST_F(MouseControlTest, JitterStaysWithinOnePointAndUsesItsRange) {
    double largest = 0;
    for (int run = 0; run < 20; ++run) {
        sim.world.pointer = {700, 400};
        control.shakeMouseNaturalReturningTo({700, 400});
    }
    const std::vector<Point> points = warps();
    for (int run = 0; run < 20; ++run) {
        for (int i = 0; i <= 18; ++i) {
            const double t = i / 18.0;
            const Point p = points[run * 53 + i];
            largest =
                std::max({largest, std::abs(p.x - (700 - 45 * t)), std::abs(p.y - (400 - 60 * t))});
        }
    }
    EXPECT_LE(largest, 1.0);
    EXPECT_GT(largest, 0.98);
}

// A step's distances run from 20 to 32; a negative one scrolls down, zero posts only zeros.
TEST_F(MouseControlTest, NaturalScrollSpeedsUpHoldsAndSlowsDownIn60EventsPacedAt16ms) {
    const std::map<int, std::int64_t> totals{{-20, -240}, {0, 0}, {20, 240}, {32, 373}};
    std::vector<int> distances{-20, 0};
    for (int distance = 20; distance <= 32; ++distance)
        distances.push_back(distance);
    std::int64_t previousTotal = 0;
    for (const int distance : distances) {
        SCOPED_TRACE(distance);
        clearTrace();
        const std::int64_t began = sim.micros();
        control.simulateNaturalScrollWithDistance(distance);
        EXPECT_EQ(sim.micros() - began, 960000);
        EXPECT_EQ(sleeps(), Micros(60, 16000));
        Micros values = scrollValues();
        ASSERT_EQ(values.size(), 60u);
        const std::int64_t total = std::accumulate(values.begin(), values.end(), std::int64_t{0});
        for (auto& value : values)
            value = std::abs(value);
        EXPECT_EQ(values.front(), 0);
        EXPECT_TRUE(std::is_sorted(values.begin(), values.begin() + 18));
        // The slow-down starts from the plateau value.
        EXPECT_TRUE(std::all_of(values.begin() + 18, values.begin() + 43,
                                [&](std::int64_t v) { return v == values[18]; }));
        EXPECT_TRUE(std::is_sorted(values.rbegin(), values.rbegin() + 18));
        if (totals.count(distance)) {
            EXPECT_EQ(total, totals.at(distance));
        }
        if (distance > 0) {
            EXPECT_GE(total, previousTotal);
            EXPECT_LE(total, 12.6 * distance);
            previousTotal = total;
        }
    }
}

TEST_F(MouseControlTest, SmoothScrollPostsOneEventPerFrameOverItsDuration) {
    const struct {
        const char* behaviour;
        double distance;
        double seconds;
        std::size_t events;
        std::int64_t value;
    } rows[] = {
        {"80 over 0.8 s posts 48 events of 1 px", 80, 0.8, 48, 1},
        {"to the top the remainder stays unscrolled", 4700, 0.72, 43, 109},
        {"scrolling down carries negative values", -120, 0.8, 48, -2},
        {"shorter than one frame posts nothing", 80, 0.016, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        clearTrace();
        control.simulateSmoothScrollWithDistance(row.distance, row.seconds);
        EXPECT_EQ(scrollValues(), Micros(row.events, row.value));
        EXPECT_EQ(sleeps(), Micros(row.events, kFrame));
    }
}

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

TEST_F(MouseControlTest, ClickWhoseDownEventFailsStillReleasesOnTime) {
    sim.world.failEvents = 1;
    control.clickMouseLeftWithPosition({5, 5});
    const TraceRecords events = traceLines("mouse");
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].at("type"), "leftUp");
    EXPECT_NEAR(events[0].at("t").get<double>(), 0.0005, 1e-9);
}

// Real input from a given second on, during a pointer pattern that starts on (700, 400).
TEST_F(MouseControlTest, RealInputStopsAPointerPatternAtTheNextProbe) {
    const Point start{700, 400};
    const struct {
        const char* behaviour;
        void (*pattern)(MouseControl&);
        double userFrom;
        std::size_t fewestWarps, mostWarps;
        bool endsOnTheStart;
    } rows[] = {
        // The jittered leg has no probe; the glide that follows stops after its first step.
        {"in the first leg the natural excursion ends after one glide step",
         [](MouseControl& c) { c.shakeMouseNaturalGoing(); }, 0.1, 20, 20, false},
        {"in the glide the natural return still ends on its target",
         [](MouseControl& c) {
             c.shakeMouseNaturalReturningTo({700, 400});
         },
         1.1, 34, 52, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        clearTrace();
        sim.world.pointer = start;
        userActiveFrom(row.userFrom);
        row.pattern(control);
        const std::vector<Point> points = warps();
        EXPECT_GE(points.size(), row.fewestWarps);
        EXPECT_LE(points.size(), row.mostWarps);
        EXPECT_EQ(points.back() == start, row.endsOnTheStart);
    }
}

TEST_F(MouseControlTest, UserInputStopsBothScrollsAtTheNextProbe) {
    userActiveFrom(0.2);
    control.simulateNaturalScrollWithDistance(30);
    const std::size_t natural = scrollValues().size();
    EXPECT_EQ(natural, 13u);
    control.simulateSmoothScrollWithDistance(100, 0.8);
    EXPECT_EQ(scrollValues().size(), natural + 1);
}

TEST_F(MouseControlTest, TheNudgeIsPostedWherethePointerIs) {
    sim.world.pointer = {12.75, 34.25};
    control.postMouseMovedInPlace();
    EXPECT_EQ(points("nudge"), std::vector<Point>{(Point{12, 34})});
}

} // namespace
