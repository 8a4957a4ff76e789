#include "control/CommandLine.h"

#include <gtest/gtest.h>

namespace wigglet::test {

namespace {

using V = CommandLine::Verb;

// The verbs a script uses, right and wrong, are run against the real program by
// control/test_control.py.
TEST(CommandLine, Parses) {
    const struct {
        const char* behaviour;
        std::vector<std::string> args;
        bool ok;
        CommandLine::Verb verb;
        std::int64_t minutes;
        const char* errorContains;
    } rows[] = {
        {"no words start the tray program", {}, true, V::Run, 0, ""},
        {"options are kept for the tray program", {"--settings", "s.json"}, true, V::Run, 0, ""},
        {"shake alone shakes indefinitely", {"shake"}, true, V::Shake, 0, ""},
        {"shake takes up to seven days", {"shake", "10080"}, true, V::Shake, 10080, ""},
        {"more than seven days is refused", {"shake", "10081"}, false, V::Run, 0, "10081"},
        {"fractions of minutes are refused", {"shake", "1.5"}, false, V::Run, 0, "1.5"},
        {"json goes only with status", {"stop", "--json"}, false, V::Run, 0, "--json"},
        {"an option without its path is refused", {"--trace"}, false, V::Run, 0, "--trace"},
        {"an unknown option is refused", {"--loud"}, false, V::Run, 0, "--loud"},
        {"shake until a time of day", {"shake", "--until", "17:30"}, true, V::Shake, 0, ""},
        {"until needs a time of day", {"shake", "--until", "5pm"}, false, V::Run, 0, "HH:MM"},
        {"until and minutes exclude each other",
         {"shake", "5", "--until", "17:30"},
         false,
         V::Run,
         0,
         "without minutes"},
        {"run takes what follows -- as is",
         {"run", "--", "make", "--json", "-j4"},
         true,
         V::RunCommand,
         0,
         ""},
        {"run needs a command", {"run", "--"}, false, V::Run, 0, "run needs a command"},
        {"watch takes a process id", {"watch", "42"}, true, V::Watch, 0, ""},
        {"watch refuses what is no process id", {"watch", "x"}, false, V::Run, 0, "x"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.behaviour);
        const auto result = CommandLine::parse(row.args);
        ASSERT_EQ(result.line.has_value(), row.ok) << result.error;
        if (row.ok) {
            EXPECT_EQ(result.line->verb, row.verb);
            EXPECT_EQ(result.line->minutes, row.minutes);
        } else {
            EXPECT_NE(result.error.find(row.errorContains), std::string::npos) << result.error;
        }
    }
}

} // namespace

} // namespace wigglet::test
