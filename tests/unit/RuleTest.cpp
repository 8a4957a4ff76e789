// Working hours past midnight and the stored form; the other kinds and the daylight-saving
// nights run as scenarios (tests/scenarios/rules-*.scn).
#include "app/Rule.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace wigglet::test {

namespace {

// 2026-03-06 is a Friday.
double utc(int day, int hour, int minute) {
    return LocalClock::instantOf(2026, 3, day, hour * 60 + minute);
}

TEST(Rule, ARangePastMidnightRunsIntoTheNextDayAndRoundTrips) {
    setenv("TZ", "UTC", 1);
    tzset();
    std::string reason;
    const auto text =
        R"({"kind": "hours", "ranges": [{"days": ["fri"], "from": "22:00", "to": "02:00"}]})";
    const auto rule = Rule::fromJson(nlohmann::json::parse(text), reason);
    ASSERT_TRUE(rule) << reason;
    const RuleWorld world;
    EXPECT_FALSE(rule->wants(utc(6, 21, 59), world));
    EXPECT_TRUE(rule->wants(utc(6, 22, 0), world));
    EXPECT_TRUE(rule->wants(utc(7, 1, 59), world));
    EXPECT_FALSE(rule->wants(utc(7, 2, 0), world));
    EXPECT_FALSE(rule->wants(utc(5, 23, 0), world)) << "Thursday night is not listed";
    EXPECT_EQ(rule->nextEdge(utc(6, 12, 0)), utc(6, 22, 0));
    EXPECT_EQ(rule->nextEdge(utc(6, 23, 0)), utc(7, 2, 0));
    EXPECT_EQ(rule->nextEdge(utc(7, 3, 0)), utc(13, 22, 0));
    EXPECT_EQ(Rule::fromJson(rule->toJson(), reason), rule);
    EXPECT_FALSE(
        Rule::fromJson(nlohmann::json::parse(R"({"kind": "hours", "ranges": []})"), reason));
    EXPECT_FALSE(Rule::fromJson(nlohmann::json::parse(R"({"kind": "program"})"), reason));
    EXPECT_FALSE(Rule::fromJson(
        nlohmann::json::parse(R"({"kind": "until", "end": "2026-02-30T10:00"})"), reason));
}

} // namespace

} // namespace wigglet::test
