#include "input/KeyboardControl.h"

#include "SimFixture.h"

using namespace wigglet;

namespace {

using KeyboardControlTest = test::SimFixture;

TEST_F(KeyboardControlTest, AKeyDownThatCannotBeCreatedLeavesTheKeyUpOnTime) {
    for (const auto& [stroke, code] :
         {std::pair{&KeyboardControl::nextTab, 30}, std::pair{&KeyboardControl::previousTab, 33}}) {
        SCOPED_TRACE(code);
        clearTrace();
        sim.world.failEvents = 1;
        const double began = sim.clock.seconds();
        (KeyboardControl::shared().*stroke)();
        const auto keys = traceLines("key");
        ASSERT_EQ(keys.size(), 1u);
        EXPECT_EQ(keys[0].at("code"), code);
        EXPECT_EQ(keys[0].at("down"), false);
        EXPECT_EQ(keys[0].at("flags"), 0x120000);
        EXPECT_NEAR(keys[0].at("t").get<double>() - began, 0.010, 1e-9);
    }
}

} // namespace
