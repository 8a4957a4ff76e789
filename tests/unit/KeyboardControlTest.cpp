#include "input/KeyboardControl.h"

#include "BehaviourRowName.h"
#include "SimFixture.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>
#include <string>

using namespace wigglet;
using test::TraceRecords;

namespace {

struct StrokeRow {
    const char* behaviour;
    void (KeyboardControl::*stroke)();
    int code;
};

class KeyboardControlTest : public test::SimFixture,
                            public ::testing::WithParamInterface<StrokeRow> {};

TEST_P(KeyboardControlTest, AKeyDownThatCannotBeCreatedLeavesTheKeyUpOnTime) {
    sim.world.failEvents = 1;
    (KeyboardControl::shared().*GetParam().stroke)();
    const TraceRecords keys = traceLines("key");
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].at("code"), GetParam().code);
    EXPECT_EQ(keys[0].at("down"), false);
    EXPECT_EQ(keys[0].at("flags"), 0x120000);
    EXPECT_NEAR(keys[0].at("t").get<double>(), 0.010, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Strokes, KeyboardControlTest,
                         ::testing::Values(StrokeRow{"nextTab", &KeyboardControl::nextTab, 30},
                                           StrokeRow{"previousTab", &KeyboardControl::previousTab,
                                                     33}),
                         wigglet::test::BehaviourRowName());

} // namespace
