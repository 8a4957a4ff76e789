#include "input/Mouse.h"

#include "SimFixture.h"
#include "foundation/NotificationCenter.h"
#include "foundation/SettingsStore.h"
#include "foundation/ShakeBroadcaster.h"
#include "platform/sim/SimPlatform.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

using namespace wigglet;
using test::TraceRecords;

namespace {

constexpr std::size_t kGoingWarps = 19 + 2 + 13 + 2;
constexpr std::size_t kReturningWarps = 19 + 13 + 20 + 1;

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
        clearTrace();
        mouse.shakeMove();
        return points("warp");
    }

    Mouse mouse;
};

TEST_F(MouseTest, AfterAnInterruptionTheNextNaturalStepCapturesThePointerAfresh) {
    useNaturalMoves();
    for (const std::string& name :
         {ShakeBroadcaster::interruptedName, ShakeBroadcaster::interruptedByUserName}) {
        SCOPED_TRACE(name);
        sim.world.pointer = {600, 500};
        move();
        const Point moved{300, 200};
        sim.world.pointer = moved;
        NotificationCenter::defaultCenter().post(name, nullptr);

        const std::vector<Point> out = move();
        ASSERT_EQ(out.size(), kGoingWarps) << "the step after the notification goes away";
        EXPECT_LE(std::hypot(out.front().x - moved.x, out.front().y - moved.y), std::sqrt(2.0));
        const std::vector<Point> back = move();
        ASSERT_EQ(back.size(), kReturningWarps);
        EXPECT_EQ(back.back(), moved);
    }
}

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

TEST_F(MouseTest, ClicksTheChosenButtonAndPausesAfterwards) {
    const struct {
        const char* behaviour;
        std::int64_t button;
        std::vector<std::string> types;
        std::int64_t micros;
    } rows[] = {
        {"button 0 clicks left", 0, {"leftDown", "leftUp"}, 500 + 60000},
        {"button 1 clicks right", 1, {"rightDown", "rightUp"}, 500 + 60000},
        {"a negative button logs an error and still pauses", -1, {}, 60000},
    };
    store().setBool(SettingsKey::clickEnabled, true);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        clearTrace();
        store().setInteger(SettingsKey::shakeClickButton, row.button);
        const std::int64_t began = sim.micros();
        mouse.shakeClick();
        std::vector<std::string> types;
        for (const auto& event : traceLines("mouse"))
            types.push_back(event.at("type"));
        EXPECT_EQ(types, row.types);
        EXPECT_EQ(sim.micros() - began, row.micros);
        EXPECT_EQ(traceLines("log", "level", "error").size(), row.types.empty() ? 1u : 0u);
    }
}

// Clicks at the pointer are checked by input-natural-cycle, at a stored point by
// input-click-buttons, and the parsing of the stored text by PointTextTest.
TEST_F(MouseTest, ACustomPositionNeverStoredClicksAt10And10) {
    sim.world.pointer = {321, 654};
    store().setBool(SettingsKey::clickEnabled, true);
    store().setBool(SettingsKey::shakeClickCustomPosition, true);
    mouse.shakeClick();
    EXPECT_EQ(points("mouse"), std::vector<Point>(2, Point{10, 10}));
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
    std::set<std::string> shapes;
    std::set<std::int64_t> plateaus, smoothValues, pauses;
    for (int run = 0; run < 300; ++run) {
        clearTrace();
        mouse.shakeScroll(run % 2 ? ScrollDirection::UP : ScrollDirection::DOWN);
        std::string shape;
        std::vector<std::int64_t> burst;
        auto closeBurst = [&] {
            if (burst.empty())
                return;
            shape += (shape.empty() ? "" : "+") + std::to_string(burst.size());
            (burst.size() == 60 ? plateaus : smoothValues)
                .insert(std::abs(burst[burst.size() / 2]));
            burst.clear();
        };
        for (const auto& record : traceLines()) {
            if (record.at("ev") == "scroll") {
                burst.push_back(record.at("value"));
                EXPECT_TRUE(run % 2 ? burst.back() >= 0 : burst.back() <= 0) << "run " << run;
            } else if (record.at("ev") == "sleep" && record.at("us") > 20000) {
                closeBurst();
                pauses.insert(record.at("us").get<std::int64_t>());
            }
        }
        closeBurst();
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes, (std::set<std::string>{"48+48", "48", "60", "60+48"}));
    // Natural distances 20..32 hold at 6..9 px; smooth ones of 80..120 over 48 events at 1..2.
    EXPECT_EQ(plateaus, (std::set<std::int64_t>{6, 7, 8, 9}));
    EXPECT_EQ(smoothValues, (std::set<std::int64_t>{1, 2}));
    EXPECT_EQ(pauses, (std::set<std::int64_t>{150000, 160000, 170000, 190000, 210000}));
}

TEST_F(MouseTest, TheSameSeedGivesTheSameStepsTwice) {
    store().setBool(SettingsKey::moveCursorEnabled, true);
    store().setBool(SettingsKey::clickEnabled, true);
    store().setInteger(SettingsKey::scrollTypeIndex, 1);
    // Six steps of every kind from the same start; their lines, timed from the first one.
    auto stepsWithSeed = [&](std::uint64_t seed) {
        clearTrace();
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
