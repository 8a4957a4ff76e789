#include "app/LocalClock.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace wigglet {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
long long daysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// The wall clock's reading at an instant, as seconds of a UTC-like count.
long long wallReading(long long instant) {
    const auto t = static_cast<std::time_t>(instant);
    std::tm local{};
    localtime_r(&t, &local);
    return daysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 86400 +
           local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
}

std::optional<int> number(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

} // namespace

CivilTime LocalClock::civil(double date) {
    const auto t = static_cast<std::time_t>(std::floor(date));
    std::tm local{};
    localtime_r(&t, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_wday,
            local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec};
}

double LocalClock::instantOf(int year, int month, int day, int minuteOfDay) {
    const long long wall = daysFromCivil(year, month, day) * 86400 + minuteOfDay * 60LL;
    // The offset a day before and a day after: one of them is the one in force, unless the
    // time falls into a gap.
    const long long early = wall - (wallReading(wall - 86400) - (wall - 86400));
    const long long late = wall - (wallReading(wall + 86400) - (wall + 86400));
    long long lo = std::min(early, late);
    long long hi = std::max(early, late);
    if (wallReading(lo) == wall)
        return static_cast<double>(lo);
    if (wallReading(hi) == wall)
        return static_cast<double>(hi);
    // In a gap: the first instant whose reading is at or past the time.
    while (lo + 1 < hi) {
        const long long mid = lo + (hi - lo) / 2;
        (wallReading(mid) >= wall ? hi : lo) = mid;
    }
    return static_cast<double>(hi);
}

CivilTime LocalClock::addDays(const CivilTime& date, int days) {
    const long long count = daysFromCivil(date.year, date.month, date.day) + days;
    const auto t = static_cast<std::time_t>(count * 86400);
    std::tm utc{};
    gmtime_r(&t, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday, utc.tm_wday, date.secondOfDay};
}

double LocalClock::nextInstantOf(int minuteOfDay, double after) {
    const CivilTime today = civil(after);
    for (int days = 0; days < 3; ++days) {
        const CivilTime day = addDays(today, days);
        const double instant = instantOf(day.year, day.month, day.day, minuteOfDay);
        if (instant > after)
            return instant;
    }
    return after + 86400;
}

std::optional<int> LocalClock::parseTimeOfDay(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos || colon == 0 || colon > 2 || text.size() != colon + 3)
        return std::nullopt;
    const auto hours = number(text.substr(0, colon));
    const auto minutes = number(text.substr(colon + 1));
    // 24:00 is the end of the day, which a range may end at.
    if (!hours || !minutes || *hours < 0 || *minutes < 0 || *minutes > 59 ||
        *hours * 60 + *minutes > 24 * 60)
        return std::nullopt;
    return *hours * 60 + *minutes;
}

std::string LocalClock::timeOfDayText(int minuteOfDay) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", (minuteOfDay / 60) % 100, minuteOfDay % 60);
    return text;
}

std::optional<CivilTime> LocalClock::parseDateTime(std::string_view text) {
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != 'T')
        return std::nullopt;
    const auto year = number(text.substr(0, 4));
    const auto month = number(text.substr(5, 2));
    const auto day = number(text.substr(8, 2));
    const auto minute = parseTimeOfDay(text.substr(11));
    if (!year || !month || !day || !minute || *month < 1 || *month > 12 || *day < 1 || *day > 31 ||
        *minute >= 24 * 60)
        return std::nullopt;
    CivilTime time{*year, *month, *day, 0, *minute * 60};
    // 31 February and the like: the date must come back unchanged from a round trip.
    const CivilTime same = addDays(time, 0);
    if (same.month != *month || same.day != *day)
        return std::nullopt;
    return same;
}

std::string LocalClock::dateTimeText(const CivilTime& time) {
    char text[24];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%s", time.year % 10000, time.month % 100,
                  time.day % 100, timeOfDayText(time.secondOfDay / 60).c_str());
    return text;
}

} // namespace wigglet
