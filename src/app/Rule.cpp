#include "app/Rule.h"

#include <algorithm>
#include <array>

namespace wigglet {

namespace {

constexpr std::array<const char*, 7> kDays = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
constexpr std::array<const char*, 4> kKinds = {"hours", "until", "mains", "program"};
constexpr int kDayMinutes = 24 * 60;

std::optional<int> dayIndex(const nlohmann::json& name) {
    if (!name.is_string())
        return std::nullopt;
    for (std::size_t i = 0; i < kDays.size(); ++i)
        if (name.get<std::string>() == kDays[i])
            return static_cast<int>(i);
    return std::nullopt;
}

std::optional<int> timeOf(const nlohmann::json& object, const char* key) {
    const auto found = object.find(key);
    if (found == object.end() || !found->is_string())
        return std::nullopt;
    return LocalClock::parseTimeOfDay(found->get<std::string>());
}

std::optional<TimeRange> rangeFrom(const nlohmann::json& value, std::string& reason) {
    reason = "a range needs \"days\" (sun..sat), \"from\" and \"to\" (HH:MM)";
    if (!value.is_object() || !value.contains("days") || !value["days"].is_array())
        return std::nullopt;
    TimeRange range;
    for (const auto& day : value["days"]) {
        const auto index = dayIndex(day);
        if (!index)
            return std::nullopt;
        range.days = static_cast<std::uint8_t>(range.days | (1u << *index));
    }
    const auto from = timeOf(value, "from");
    const auto to = timeOf(value, "to");
    if (range.days == 0 || !from || !to || *from == kDayMinutes || *from == *to)
        return std::nullopt;
    range.from = *from;
    range.to = *to;
    return range;
}

bool hasDay(const TimeRange& range, int weekday) {
    return (range.days >> ((weekday + 7) % 7)) & 1u;
}

bool inRange(const TimeRange& range, const CivilTime& at) {
    const int second = at.secondOfDay;
    if (range.from < range.to)
        return hasDay(range, at.weekday) && range.from * 60 <= second && second < range.to * 60;
    // Past midnight: the evening of a listed day, or the morning after it.
    return (hasDay(range, at.weekday) && second >= range.from * 60) ||
           (hasDay(range, at.weekday - 1) && second < range.to * 60);
}

double endDate(const CivilTime& end) {
    return LocalClock::instantOf(end.year, end.month, end.day, end.secondOfDay / 60);
}

} // namespace

const char* Rule::dayName(int weekday) {
    return kDays[static_cast<std::size_t>(weekday % 7)];
}

std::optional<Rule> Rule::fromJson(const nlohmann::json& value, std::string& reason) {
    reason = "a rule is an object with a \"kind\": hours, until, mains or program";
    if (!value.is_object() || !value.contains("kind") || !value["kind"].is_string())
        return std::nullopt;
    const auto kind = std::ranges::find(kKinds, value["kind"].get<std::string>());
    if (kind == kKinds.end())
        return std::nullopt;
    Rule rule;
    rule.kind = static_cast<Kind>(kind - kKinds.begin());
    switch (rule.kind) {
    case Kind::Hours:
        reason = "working hours need a list of \"ranges\"";
        if (!value.contains("ranges") || !value["ranges"].is_array() || value["ranges"].empty())
            return std::nullopt;
        for (const auto& item : value["ranges"]) {
            const auto range = rangeFrom(item, reason);
            if (!range)
                return std::nullopt;
            rule.ranges.push_back(*range);
        }
        return rule;
    case Kind::Until: {
        reason = "until needs an \"end\" date (YYYY-MM-DDTHH:MM)";
        const auto end = value.find("end");
        const auto parsed = end != value.end() && end->is_string()
                                ? LocalClock::parseDateTime(end->get<std::string>())
                                : std::nullopt;
        if (!parsed)
            return std::nullopt;
        rule.end = *parsed;
        return rule;
    }
    case Kind::Mains:
        return rule;
    case Kind::Program:
        reason = "a program rule needs the program's \"name\"";
        if (!value.contains("name") || !value["name"].is_string() ||
            value["name"].get<std::string>().empty())
            return std::nullopt;
        rule.program = value["name"].get<std::string>();
        return rule;
    }
    return std::nullopt;
}

nlohmann::json Rule::toJson() const {
    nlohmann::json value = {{"kind", kKinds[static_cast<std::size_t>(kind)]}};
    if (kind == Kind::Hours) {
        nlohmann::json list = nlohmann::json::array();
        for (const TimeRange& range : ranges) {
            nlohmann::json days = nlohmann::json::array();
            for (int d = 0; d < 7; ++d)
                if (hasDay(range, d))
                    days.push_back(kDays[static_cast<std::size_t>(d)]);
            list.push_back({{"days", days},
                            {"from", LocalClock::timeOfDayText(range.from)},
                            {"to", LocalClock::timeOfDayText(range.to)}});
        }
        value["ranges"] = list;
    } else if (kind == Kind::Until) {
        value["end"] = LocalClock::dateTimeText(end);
    } else if (kind == Kind::Program) {
        value["name"] = program;
    }
    return value;
}

bool Rule::wants(double date, const RuleWorld& world) const {
    switch (kind) {
    case Kind::Hours: {
        const CivilTime at = LocalClock::civil(date);
        return std::ranges::any_of(ranges, [&](const TimeRange& r) { return inRange(r, at); });
    }
    case Kind::Until:
        return date < endDate(end);
    case Kind::Mains:
        return world.onMains;
    case Kind::Program:
        return world.programRunning && world.programRunning(program);
    }
    return false;
}

std::optional<double> Rule::nextEdge(double date) const {
    if (kind == Kind::Until) {
        const double at = endDate(end);
        return at > date ? std::optional<double>(at) : std::nullopt;
    }
    if (kind != Kind::Hours)
        return std::nullopt;
    // Every start and end of a range over the coming eight days, in order; the first at which
    // the answer differs is the edge.
    std::vector<double> candidates;
    const CivilTime today = LocalClock::civil(date);
    for (int offset = -1; offset <= 8; ++offset) {
        const CivilTime day = LocalClock::addDays(today, offset);
        for (const TimeRange& range : ranges)
            for (const int minute : {range.from, range.to}) {
                const CivilTime at = minute == kDayMinutes ? LocalClock::addDays(day, 1) : day;
                const double instant =
                    LocalClock::instantOf(at.year, at.month, at.day, minute % kDayMinutes);
                if (instant > date)
                    candidates.push_back(instant);
            }
    }
    std::ranges::sort(candidates);
    const RuleWorld none;
    const bool now = wants(date, none);
    for (const double candidate : candidates)
        if (wants(candidate, none) != now)
            return candidate;
    return std::nullopt;
}

bool Rule::operator==(const Rule& other) const {
    return toJson() == other.toJson();
}

} // namespace wigglet
