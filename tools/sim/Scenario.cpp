#include "Scenario.h"

#include "VerbTable.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <limits>
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

} // namespace

Command Command::tail(std::size_t from) const {
    Command inner;
    inner.line = line;
    inner.words.assign(words.begin() + static_cast<std::ptrdiff_t>(from), words.end());
    return inner;
}

double Command::number(std::size_t i) const {
    return *Scenario::number(words[i]);
}

long long Command::whole(std::size_t i) const {
    return *Scenario::wholeNumber(words[i]);
}

std::int64_t Command::micros(std::size_t i) const {
    return static_cast<std::int64_t>(std::llround(number(i) * 1e6));
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

std::optional<bool> Scenario::boolean(std::string_view text) {
    if (text == "true" || text == "yes" || text == "1")
        return true;
    if (text == "false" || text == "no" || text == "0")
        return false;
    return std::nullopt;
}

std::optional<std::string> Scenario::check(const Command& command) {
    return VerbTable::check(command);
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
