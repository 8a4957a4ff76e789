#include "input/Mouse.h"

#include "SimFixture.h"

#include <cmath>

using namespace wigglet;

namespace {

using MouseTest = test::SimFixture;
using test::TraceRecords;

// What the steps do is the input-* scenarios'; here, that a seed decides all of it.
TEST_F(MouseTest, TheSameSeedGivesTheSameStepsTwice) {
    sim.platform().trace().setSleepsEnabled(true);
    store->setBool(SettingsKey::moveCursorEnabled, true);
    store->setBool(SettingsKey::clickEnabled, true);
    store->setInteger(SettingsKey::scrollTypeIndex, 1);
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
