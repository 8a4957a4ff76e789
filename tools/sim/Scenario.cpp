#include "Scenario.h"

#include "foundation/SettingsKey.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>

namespace wigglet::sim {

namespace {

// Splits a line into words: blanks separate, double quotes group, \" and \\ escape inside
// quotes, # starts a comment outside quotes.
std::optional<std::vector<std::string>> split(std::string_view line, std::string& reason) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '#')
            break;
        if (c == ' ' || c == '\t' || c == '\r') {
            if (inWord)
                words.push_back(std::move(word));
            word.clear();
            inWord = false;
            continue;
        }
        if (c != '"') {
            word += c;
            inWord = true;
            continue;
        }
        inWord = true;
        for (++i;; ++i) {
            if (i >= line.size()) {
                reason = "unterminated quote";
                return std::nullopt;
            }
            if (line[i] == '"')
                break;
            if (line[i] == '\\' && i + 1 < line.size() &&
                (line[i + 1] == '"' || line[i + 1] == '\\'))
                ++i;
            word += line[i];
        }
    }
    if (inWord)
        words.push_back(std::move(word));
    return words;
}

std::optional<std::string> need(const Command& c, std::size_t count, const char* usage) {
    if (c.size() < count)
        return std::string("missing argument: ") + usage;
    if (c.size() > count)
        return std::string("too many arguments: ") + usage;
    return std::nullopt;
}

std::optional<std::string> needNumbers(const Command& c, std::size_t from, std::size_t count,
                                       const char* usage) {
    if (auto bad = need(c, from + count, usage))
        return bad;
    for (std::size_t i = from; i < from + count; ++i)
        if (!Scenario::number(c[i]))
            return "bad number '" + c[i] + "': " + usage;
    return std::nullopt;
}

std::optional<std::string> needWhole(const Command& c, std::size_t index, const char* usage) {
    if (!Scenario::wholeNumber(c[index]))
        return "bad whole number '" + c[index] + "': " + usage;
    return std::nullopt;
}

std::optional<std::string> oneOf(const Command& c, std::size_t index,
                                 std::initializer_list<const char*> choices, const char* usage) {
    for (const char* choice : choices)
        if (c[index] == choice)
            return std::nullopt;
    return "unknown choice '" + c[index] + "': " + usage;
}

std::optional<std::string> checkSet(const Command& c) {
    constexpr const char* usage = "set KEY bool|int|double|string|data VALUE";
    if (auto bad = need(c, 4, usage))
        return bad;
    const std::string& type = c[2];
    const std::string& value = c[3];
    if (type == "bool") {
        static const std::set<std::string> words = {"true", "false", "yes", "no", "1", "0"};
        return words.count(value) ? std::nullopt
                                  : std::optional<std::string>("bad boolean '" + value + "'");
    }
    if (type == "int")
        return needWhole(c, 3, usage);
    if (type == "double")
        return Scenario::number(value) ? std::nullopt
                                       : std::optional<std::string>("bad number '" + value + "'");
    if (type == "string" || type == "data")
        return std::nullopt;
    return "unknown type '" + type + "': " + usage;
}

std::optional<std::string> checkUser(const Command& c) {
    if (c.size() < 2)
        return "missing argument: user move X Y | user key | user active T1 T2 | user click";
    if (c[1] == "move")
        return needNumbers(c, 2, 2, "user move X Y");
    if (c[1] == "active")
        return needNumbers(c, 2, 2, "user active T1 T2");
    if (c[1] == "key" || c[1] == "click")
        return need(c, 2, "user key | user click");
    return "unknown user input '" + c[1] + "'";
}

std::optional<std::string> checkBattery(const Command& c) {
    constexpr const char* usage = "battery none | battery P1 [P2 ...] ac|battery";
    if (c.size() == 2 && c[1] == "none")
        return std::nullopt;
    if (c.size() < 3)
        return std::string("missing argument: ") + usage;
    if (auto bad = oneOf(c, c.size() - 1, {"ac", "battery"}, usage))
        return bad;
    for (std::size_t i = 1; i + 1 < c.size(); ++i)
        if (c[i] != "?" && !Scenario::wholeNumber(c[i]))
            return "bad charge '" + c[i] + "': " + usage;
    return std::nullopt;
}

std::optional<std::string> checkFail(const Command& c) {
    constexpr const char* usage = "fail assertion | fail login-item \"REASON\" | fail hotkey | "
                                  "fail events N";
    if (c.size() < 2)
        return std::string("missing argument: ") + usage;
    if (c[1] == "assertion" || c[1] == "hotkey")
        return need(c, 2, usage);
    if (c[1] == "login-item")
        return need(c, 3, usage);
    if (c[1] == "events") {
        if (auto bad = need(c, 3, usage))
            return bad;
        if (auto bad = needWhole(c, 2, usage))
            return bad;
        if (*Scenario::wholeNumber(c[2]) < 0)
            return "negative count '" + c[2] + "': " + usage;
        return std::nullopt;
    }
    return "unknown failure '" + c[1] + "': " + usage;
}

std::optional<std::string> checkPrefs(const Command& c) {
    constexpr const char* usage =
        "prefs open | prefs pane NAME | prefs choose CONTROL INDEX|TITLE | "
        "prefs check CONTROL on|off | prefs press CONTROL";
    if (c.size() < 2)
        return std::string("missing argument: ") + usage;
    const std::string& what = c[1];
    if (what == "open")
        return need(c, 2, usage);
    if (what == "pane") {
        if (auto bad = need(c, 3, usage))
            return bad;
        return oneOf(c, 2, {"General", "Click", "Scroll"}, usage);
    }
    if (what == "choose")
        return need(c, 4, usage);
    if (what == "check") {
        if (auto bad = need(c, 4, usage))
            return bad;
        return oneOf(c, 3, {"on", "off"}, usage);
    }
    if (what == "press")
        return need(c, 3, usage);
    return "unknown prefs command '" + what + "': " + usage;
}

// X or X.Y, each part a whole number: the runner reads the parts, not a decimal.
std::optional<std::string> checkVersion(const Command& c) {
    if (auto bad = need(c, 2, "system-version X.Y"))
        return bad;
    const std::string_view text = c[1];
    const auto dot = text.find('.');
    const bool whole =
        Scenario::wholeNumber(text.substr(0, dot)) &&
        (dot == std::string_view::npos || Scenario::wholeNumber(text.substr(dot + 1)));
    return whole ? std::nullopt : std::optional<std::string>("bad version '" + c[1] + "'");
}

std::optional<std::string> checkKey(const Command& c) {
    constexpr const char* usage = "key FLAGS CODE CHARS";
    if (auto bad = need(c, 4, usage))
        return bad;
    if (auto bad = needWhole(c, 1, usage))
        return bad;
    return needWhole(c, 2, usage);
}

} // namespace

Command Command::tail(std::size_t from) const {
    Command inner;
    inner.line = line;
    inner.words.assign(words.begin() + static_cast<std::ptrdiff_t>(from), words.end());
    return inner;
}

std::optional<double> Scenario::number(std::string_view text) {
    if (text.starts_with("0x") || text.starts_with("0X"))
        if (auto whole = wholeNumber(text))
            return static_cast<double>(*whole);
    double value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<long long> Scenario::wholeNumber(std::string_view text) {
    const bool negative = text.starts_with('-');
    if (negative)
        text.remove_prefix(1);
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    // Read unsigned: a signed read would take a second minus sign ("--5"), and the magnitude of
    // the most negative value does not fit the signed type.
    unsigned long long magnitude = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, magnitude, base);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    constexpr auto kLargest =
        static_cast<unsigned long long>(std::numeric_limits<long long>::max());
    if (magnitude > kLargest + (negative ? 1 : 0))
        return std::nullopt;
    return static_cast<long long>(negative ? 0 - magnitude : magnitude);
}

std::optional<std::string> Scenario::check(const Command& c) {
    const std::string& verb = c.verb();
    if (verb == "seed") {
        if (auto bad = need(c, 2, "seed N"))
            return bad;
        return needWhole(c, 1, "seed N");
    }
    if (verb == "screen") {
        if (c.size() == 2 && c[1] == "none")
            return std::nullopt;
        return needNumbers(c, 1, 2, "screen W H | screen none");
    }
    if (verb == "system-version")
        return checkVersion(c);
    if (verb == "trusted") {
        if (auto bad = need(c, 2, "trusted yes|no"))
            return bad;
        return oneOf(c, 1, {"yes", "no"}, "trusted yes|no");
    }
    if (verb == "battery")
        return checkBattery(c);
    if (verb == "brightness") {
        if (c.size() == 2 && c[1] == "none")
            return std::nullopt;
        return needNumbers(c, 1, 1, "brightness F | brightness none");
    }
    if (verb == "notifications") {
        constexpr const char* usage = "notifications granted|denied|ask-grant|ask-deny";
        if (auto bad = need(c, 2, usage))
            return bad;
        return oneOf(c, 1, {"granted", "denied", "ask-grant", "ask-deny"}, usage);
    }
    if (verb == "fail")
        return checkFail(c);
    if (verb == "set")
        return checkSet(c);
    if (verb == "unset")
        return need(c, 2, "unset KEY");
    if (verb == "launch" || verb == "quit" || verb == "restart" || verb == "hotkey")
        return need(c, 1, verb.c_str());
    if (verb == "advance")
        return needNumbers(c, 1, 1, "advance S");
    if (verb == "at") {
        if (c.size() < 3)
            return "missing argument: at T COMMAND...";
        if (!number(c[1]))
            return "bad number '" + c[1] + "': at T COMMAND...";
        const Command inner = c.tail(2);
        if (inner.verb() == "at" || inner.verb() == "advance")
            return "'" + inner.verb() + "' cannot be delayed with at";
        return check(inner);
    }
    if (verb == "user")
        return checkUser(c);
    if (verb == "menu") {
        if (c.size() >= 2 && c[1] == "open")
            return need(c, 2, "menu open");
        if (c.size() >= 2 && c[1] == "click")
            return need(c, 3, "menu click \"TITLE > TITLE\"");
        return "missing argument: menu open | menu click \"TITLE > TITLE\"";
    }
    if (verb == "prefs")
        return checkPrefs(c);
    if (verb == "key")
        return checkKey(c);
    if (verb == "action") {
        if (c.size() < 2)
            return "missing argument: action NAME [ARG]";
        if (c.size() > 3)
            return "too many arguments: action NAME [ARG]";
        return std::nullopt;
    }
    if (verb == "dump") {
        constexpr const char* usage = "dump settings|menu|prefs|windows";
        if (auto bad = need(c, 2, usage))
            return bad;
        return oneOf(c, 1, {"settings", "menu", "prefs", "windows"}, usage);
    }
    if (verb == "screenshot")
        return need(c, 3, "screenshot WINDOW|menu FILE.png");
    if (verb == "window")
        return c.size() >= 3 ? std::nullopt
                             : std::optional<std::string>("missing argument: window ID ACTION");
    return "unknown command '" + verb + "'";
}

std::optional<Scenario> Scenario::parse(std::string_view text, ScenarioError& error) {
    Scenario scenario;
    int lineNumber = 0;
    while (!text.empty()) {
        ++lineNumber;
        const auto newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        std::string reason;
        auto words = split(line, reason);
        if (!words) {
            error = {lineNumber, reason};
            return std::nullopt;
        }
        if (words->empty())
            continue;
        Command command{lineNumber, std::move(*words)};
        if (auto bad = check(command)) {
            error = {lineNumber, *bad};
            return std::nullopt;
        }
        scenario.commands_.push_back(std::move(command));
    }
    return scenario;
}

std::optional<Scenario> Scenario::load(const std::string& path, ScenarioError& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = {0, "cannot read the file"};
        return std::nullopt;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    return parse(buffer.str(), error);
}

} // namespace wigglet::sim
