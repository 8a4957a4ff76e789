#include "input/Mouse.h"

#include "BehaviourRowName.h"
#include "SimFixture.h"
#include "foundation/NotificationCenter.h"
#include "foundation/SettingsStore.h"
#include "foundation/ShakeBroadcaster.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace wigglet;
using test::pointOf;
using test::TraceRecords;

namespace {

constexpr std::size_t kGoingWarps = 19 + 2 + 13 + 2;
constexpr std::size_t kReturningWarps = 19 + 13 + 20 + 1;

std::vector<Point> pointsOf(const TraceRecords& records) {
    std::vector<Point> points;
    for (const auto& record : records)
        points.push_back(pointOf(record));
    return points;
}

double distance(Point a, Point b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

class MouseTest : public test::SimFixture {
  protected:
    MouseTest() { sim.platform().trace().setSleepsEnabled(true); }

    SettingsStore& store() { return SettingsStore::shared(); }
    void useNaturalMoves() {
        store().setBool(SettingsKey::moveCursorEnabled, true);
        store().setInteger(SettingsKey::shakingTypeIndex, 1);
    }
    // The warps of one pointer step.
    std::vector<Point> move() {
        const std::size_t before = traceLines("warp").size();
        mouse.shakeMove();
        const std::vector<Point> all = pointsOf(traceLines("warp"));
        return {all.begin() + static_cast<std::ptrdiff_t>(before), all.end()};
    }

    Mouse mouse;
};

class InterruptionTest : public MouseTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(InterruptionTest, TheNextNaturalStepCapturesThePointerAfresh) {
    useNaturalMoves();
    sim.world.pointer = {600, 500};
    move();
    const Point moved{300, 200};
    sim.world.pointer = moved;
    NotificationCenter::defaultCenter().post(GetParam(), nullptr);

    const std::vector<Point> out = move();
    ASSERT_EQ(out.size(), kGoingWarps) << "the step after the notification goes away";
    EXPECT_LE(distance(out.front(), moved), std::sqrt(2.0));
    const std::vector<Point> back = move();
    ASSERT_EQ(back.size(), kReturningWarps);
    EXPECT_EQ(back.back(), moved);
}

INSTANTIATE_TEST_SUITE_P(Notifications, InterruptionTest,
                         ::testing::Values(ShakeBroadcaster::interruptedName,
                                           ShakeBroadcaster::interruptedByUserName),
                         wigglet::test::BehaviourRowName());

TEST_F(MouseTest, OtherShakingTypesMakeTheSmoothExcursionAndLeaveTheCycleAlone) {
    useNaturalMoves();
    const Point start{600, 500};
    sim.world.pointer = start;
    move();
    store().setInteger(SettingsKey::shakingTypeIndex, 0);
    const std::vector<Point> smooth = move();
    ASSERT_EQ(smooth.size(), 221u);
    store().setInteger(SettingsKey::shakingTypeIndex, 1);
    const std::vector<Point> back = move();
    ASSERT_EQ(back.size(), kReturningWarps) << "the cycle still owes its return";
    EXPECT_EQ(back.back(), start);
}

struct ButtonRow {
    const char* behaviour;
    std::int64_t button;
    std::vector<std::string> types;
    std::int64_t micros;
};

class ClickButtonTest : public MouseTest, public ::testing::WithParamInterface<ButtonRow> {};

TEST_P(ClickButtonTest, ClicksTheChosenButtonsAndPausesAfterwards) {
    const ButtonRow& row = GetParam();
    store().setBool(SettingsKey::clickEnabled, true);
    store().setInteger(SettingsKey::shakeClickButton, row.button);
    mouse.shakeClick();

    std::vector<std::string> types;
    for (const auto& event : traceLines("mouse"))
        types.push_back(event.at("type"));
    EXPECT_EQ(types, row.types);
    EXPECT_EQ(sim.micros(), row.micros);
    const TraceRecords logs = traceLines("log");
    if (row.types.empty()) {
        ASSERT_EQ(logs.size(), 1u);
        EXPECT_EQ(logs[0].at("level"), "error");
        EXPECT_EQ(logs[0].at("text"), "ERROR: couldn't figure out which button should be clicked");
    } else {
        EXPECT_TRUE(logs.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClickButtonTest,
    ::testing::Values(ButtonRow{"button 0 clicks left", 0, {"leftDown", "leftUp"}, 500 + 60000},
                      ButtonRow{"button 1 clicks right", 1, {"rightDown", "rightUp"}, 500 + 60000},
                      ButtonRow{"a negative button logs an error and still pauses", -1, {}, 60000}),
    wigglet::test::BehaviourRowName());

// Clicks at the pointer are checked by input-natural-cycle, at a stored point by
// input-click-buttons, and the parsing of the stored text by PointTextTest.
TEST_F(MouseTest, ACustomPositionNeverStoredClicksAt10And10) {
    sim.world.pointer = {321, 654};
    store().setBool(SettingsKey::clickEnabled, true);
    store().setBool(SettingsKey::shakeClickCustomPosition, true);
    mouse.shakeClick();
    const TraceRecords events = traceLines("mouse");
    ASSERT_EQ(events.size(), 2u);
    for (const auto& event : events)
        EXPECT_EQ(pointOf(event), (Point{10, 10}));
}

TEST_F(MouseTest, AlwaysDownKeepsTheAlternatingCycleWhereItStood) {
    std::string directions;
    auto take = [&](std::int64_t type, int count) {
        store().setInteger(SettingsKey::scrollTypeIndex, type);
        for (int i = 0; i < count; ++i)
            directions += mouse.nextScrollDirection() == ScrollDirection::DOWN ? 'D' : 'U';
        directions += ' ';
    };
    take(1, 3);
    take(0, 4);
    take(1, 4);
    EXPECT_EQ(directions, "DDD DDDD DDUU ");
}

// The shapes of one scroll step, told apart by their event counts and the pause between.
TEST_F(MouseTest, ScrollStepsTakeEveryShapeAndKeepTheirDirection) {
    const int runs = 300;
    std::vector<double> starts;
    for (int run = 0; run < runs; ++run) {
        starts.push_back(static_cast<double>(sim.micros()) / 1e6);
        mouse.shakeScroll(run % 2 ? ScrollDirection::UP : ScrollDirection::DOWN);
    }
    std::vector<TraceRecords> perRun(runs);
    for (const auto& record : traceLines()) {
        const auto after =
            std::upper_bound(starts.begin(), starts.end(), record.at("t").get<double>());
        perRun[static_cast<std::size_t>(after - starts.begin() - 1)].push_back(record);
    }

    std::map<std::string, int> shapes;
    std::set<std::int32_t> plateaus, smoothValues;
    std::set<std::int64_t> pauses;
    for (int run = 0; run < runs; ++run) {
        std::string shape;
        std::vector<std::int32_t> burst;
        auto closeBurst = [&] {
            if (burst.empty())
                return;
            shape += (shape.empty() ? "" : "+") + std::to_string(burst.size());
            if (burst.size() == 60)
                plateaus.insert(std::abs(burst[30]));
            else
                smoothValues.insert(std::abs(burst[0]));
            burst.clear();
        };
        for (const auto& record : perRun[run]) {
            if (record.at("ev") == "scroll") {
                const std::int32_t value = record.at("value");
                EXPECT_TRUE(run % 2 ? value >= 0 : value <= 0) << "run " << run;
                burst.push_back(value);
            } else if (record.at("ev") == "sleep" && record.at("us") > 20000) {
                closeBurst();
                pauses.insert(record.at("us").get<std::int64_t>());
            }
        }
        closeBurst();
        ++shapes[shape];
    }
    const std::set<std::string> expectedShapes{"48+48", "48", "60", "60+48"};
    for (const auto& [shape, count] : shapes)
        EXPECT_TRUE(expectedShapes.count(shape)) << shape;
    EXPECT_EQ(shapes.size(), 4u);
    // Natural distances 20..32 hold at 6..9 px; smooth ones of 80..120 over 48 events at 1..2.
    EXPECT_EQ(plateaus, (std::set<std::int32_t>{6, 7, 8, 9}));
    EXPECT_EQ(smoothValues, (std::set<std::int32_t>{1, 2}));
    EXPECT_EQ(pauses, (std::set<std::int64_t>{150000, 160000, 170000, 190000, 210000}));
}

TEST_F(MouseTest, TheSameSeedGivesTheSameStepsTwice) {
    store().setBool(SettingsKey::moveCursorEnabled, true);
    store().setBool(SettingsKey::clickEnabled, true);
    store().setInteger(SettingsKey::scrollTypeIndex, 1);
    // Six steps of every kind from the same start; their lines, timed from the first one.
    auto stepsWithSeed = [&](std::uint64_t seed) {
        const std::size_t before = traceLines().size();
        const std::int64_t began = sim.micros();
        sim.platform().random().reseed(seed);
        sim.world.pointer = {720, 450};
        Mouse fresh;
        for (int step = 0; step < 6; ++step) {
            fresh.shakeClick();
            fresh.shakeScroll(fresh.nextScrollDirection());
            fresh.shakeMove();
        }
        TraceRecords lines = traceLines();
        lines.erase(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(before));
        for (auto& line : lines)
            line["t"] = std::llround(line["t"].get<double>() * 1e6) - began;
        return lines;
    };
    const TraceRecords first = stepsWithSeed(42);
    EXPECT_GT(first.size(), 1000u);
    EXPECT_EQ(first, stepsWithSeed(42));
    EXPECT_NE(first, stepsWithSeed(43));
}

} // namespace
