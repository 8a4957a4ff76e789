#include "platform/linux/x11/OwnInputFilter.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

using namespace wigglet::desktop;

namespace {

// One idle reading: when it was asked (seconds), what the server counted (ms), when our own
// input last reached the server, and the idle that must be reported.
struct Reading {
    double askedAt;
    std::int64_t serverMs;
    std::optional<double> ownInput;
    double reported;
};

} // namespace

TEST(OwnInputFilterTest, ReportsTheTimeSinceTheLastInputThatWasNotOurs) {
    const struct {
        const char* behaviour;
        std::vector<Reading> readings;
    } rows[] = {
        {"without input of ours the server's count is the user's",
         {{10.0, 4000, std::nullopt, 4.0}, {11.0, 300, std::nullopt, 0.3}}},
        {"our own last event does not reset the user's idle time",
         {{10.0, 4000, std::nullopt, 4.0}, {10.5, 0, 10.4995, 4.5}, {11.5, 1000, 10.4995, 5.5}}},
        {"a count truncated below our own clock's age is still ours",
         {{10.0, 4000, std::nullopt, 4.0}, {10.0012, 1, 10.0000004, 4.0012}}},
        {"input counted two server ticks after ours is the user's",
         {{10.0, 4000, std::nullopt, 4.0}, {10.3, 100, 10.197, 0.1}}},
        {"the user's input after ours is carried over our next events",
         {{10.0, 4000, std::nullopt, 4.0}, {12.0, 1000, 10.5, 1.0}, {13.0, 100, 12.9, 2.0}}},
        {"a first reading after our input keeps the server's count",
         {{10.0, 700, 9.5, 0.7}, {11.0, 200, 10.8, 1.7}}},
    };
    for (const auto& row : rows) {
        OwnInputFilter filter;
        for (const Reading& reading : row.readings)
            EXPECT_NEAR(filter.userIdle(reading.askedAt, reading.serverMs, reading.ownInput),
                        reading.reported, 1e-9)
                << row.behaviour << " at " << reading.askedAt;
    }
}

TEST(OwnInputFilterTest, AfterAStepTheIdleTimeExceedsTheTimeSinceTheStep) {
    OwnInputFilter filter;
    filter.userIdle(100.0, 3000, std::nullopt);
    // Whatever the server's truncation and our clock's offset, a reading right after the
    // step's last event reports more than the time since that event.
    for (int microseconds = 0; microseconds < 3000; microseconds += 7) {
        const double lastEvent = 100.5;
        const double askedAt = lastEvent + microseconds * 1e-6;
        const std::int64_t serverMs = microseconds / 1000;
        EXPECT_GT(filter.userIdle(askedAt, serverMs, lastEvent), askedAt - lastEvent);
    }
}
