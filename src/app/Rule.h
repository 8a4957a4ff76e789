#pragma once

#include "app/LocalClock.h"

#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace wigglet {

// What a rule may look at besides the clock.
struct RuleWorld {
    bool onMains = false;
    std::function<bool(const std::string&)> programRunning;
};

// Days of the week (bit 0 Sunday .. bit 6 Saturday) and a from-to time of day; a range whose
// end is not after its start runs past midnight into the next day.
struct TimeRange {
    std::uint8_t days = 0;
    int from = 0; // minutes of the day
    int to = 0;

    bool operator==(const TimeRange&) const = default;
};

// One reason to shake by itself. Stored as a JSON object:
//   {"kind": "hours", "ranges": [{"days": ["mon", "tue"], "from": "09:00", "to": "17:30"}]}
//   {"kind": "until", "end": "2026-03-29T17:30"}
//   {"kind": "mains"}
//   {"kind": "program", "name": "firefox"}
struct Rule {
    enum class Kind { Hours, Until, Mains, Program };

    Kind kind = Kind::Hours;
    std::vector<TimeRange> ranges;
    CivilTime end;
    std::string program;

    // The rule, or the reason the value is not one.
    static std::optional<Rule> fromJson(const nlohmann::json& value, std::string& reason);
    nlohmann::json toJson() const;

    // Whether the rule wants shaking at that date.
    bool wants(double date, const RuleWorld& world) const;
    // The next date after `date` at which the clock changes what the rule wants; nothing for
    // the rules that only events change.
    std::optional<double> nextEdge(double date) const;

    static const char* dayName(int weekday);

    bool operator==(const Rule&) const;
};

} // namespace wigglet
