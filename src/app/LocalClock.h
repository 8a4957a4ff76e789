#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wigglet {

// A date and time of day on the local wall clock.
struct CivilTime {
    int year = 1970;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int weekday = 4; // 0 Sunday .. 6 Saturday
    int secondOfDay = 0;
};

// The local time zone, its daylight-saving changes included, as the C library knows it (TZ or
// /etc/localtime). Wall-clock dates are seconds since the epoch.
class LocalClock {
  public:
    static CivilTime civil(double date);
    // The first instant at which the local wall clock shows the given day and minute or later:
    // a time skipped by a change to summer time is reached when the clock jumps past it, and a
    // time shown twice counts at its first showing.
    static double instantOf(int year, int month, int day, int minuteOfDay);
    // The next instant after `after` at which the clock shows this minute of the day.
    static double nextInstantOf(int minuteOfDay, double after);
    // The day `days` after the civil date (the weekday and time follow).
    static CivilTime addDays(const CivilTime& date, int days);

    // "17:30" as minutes of the day; nothing when it is not a time of day.
    static std::optional<int> parseTimeOfDay(std::string_view text);
    static std::string timeOfDayText(int minuteOfDay);
    // "2026-03-29T17:30" as a civil time (weekday left out); nothing when malformed.
    static std::optional<CivilTime> parseDateTime(std::string_view text);
    static std::string dateTimeText(const CivilTime& time);
};

} // namespace wigglet
