#include "Scenario.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using wigglet::sim::Scenario;
using wigglet::sim::ScenarioError;

TEST(ScenarioLine, IsAcceptedOrRefusedWithItsReason) {
    const struct {
        const char* behaviour;
        const char* line;
        // The reason a line is refused starts with this; none when the line is accepted.
        std::optional<std::string> refusal;
    } rows[] = {
        {"a whole number may be negative", "set a int -42", std::nullopt},
        {"a whole number may be hexadecimal", "key 0x180000 40 k", std::nullopt},
        {"a negative hexadecimal number keeps its sign", "set a int -0x10", std::nullopt},
        {"the most negative whole number is read", "set a int -9223372036854775808", std::nullopt},
        {"the largest whole number is read", "seed 9223372036854775807", std::nullopt},
        {"a whole number beyond the largest is refused", "seed 9223372036854775808",
         "bad whole number"},
        {"a whole number below the most negative is refused", "set a int -9223372036854775809",
         "bad whole number"},
        {"a doubled minus sign is refused", "seed --5", "bad whole number"},
        {"a minus sign after the hexadecimal prefix is refused", "key 0x-1 40 k",
         "bad whole number"},
        {"a version of whole parts is accepted", "system-version 13.4", std::nullopt},
        {"a version in exponent form is refused", "system-version 9e9", "bad version"},
        {"a version whose major part overflows is refused", "system-version 99999999999999999999.0",
         "bad version"},
        {"a version with an empty minor part is refused", "system-version 14.", "bad version"},
        {"a version with three parts is refused", "system-version 14.0.1", "bad version"},
        {"failing no events is accepted", "fail events 0", std::nullopt},
        {"a negative count of failing events is refused", "fail events -1", "negative count"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        ScenarioError error;
        const auto scenario = Scenario::parse(std::string("launch\n") + row.line + "\n", error);
        if (!row.refusal) {
            ASSERT_TRUE(scenario) << error.reason;
            EXPECT_EQ(scenario->commands().size(), 2u);
            continue;
        }
        ASSERT_FALSE(scenario);
        EXPECT_EQ(error.line, 2);
        EXPECT_TRUE(error.reason.starts_with(*row.refusal)) << error.reason;
    }
}

} // namespace
