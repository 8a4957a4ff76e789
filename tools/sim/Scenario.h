#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wigglet::sim {

// One line of a scenario: its words after quoting, and where it came from.
struct Command {
    int line = 0;
    std::vector<std::string> words;

    const std::string& verb() const { return words.front(); }
    std::size_t size() const { return words.size(); }
    const std::string& operator[](std::size_t i) const { return words[i]; }
    // The command that an `at T ...` line wraps.
    Command tail(std::size_t from) const;
    // The word at i read as a number or whole number; the command has been checked.
    double number(std::size_t i) const;
    long long whole(std::size_t i) const;
    // The word at i read as seconds, in microseconds.
    std::int64_t micros(std::size_t i) const;
};

struct ScenarioError {
    int line = 0;
    std::string reason;
};

// A parsed scenario file. Parsing checks every command's shape and numbers up front, so a
// scenario either runs whole or not at all.
class Scenario {
  public:
    static std::optional<Scenario> parse(std::string_view text, ScenarioError& error);
    static std::optional<Scenario> load(const std::string& path, ScenarioError& error);

    const std::vector<Command>& commands() const { return commands_; }

    // Number forms of the scenario language: decimals, and 0x hexadecimal where a whole number
    // is expected.
    static std::optional<double> number(std::string_view text);
    static std::optional<long long> wholeNumber(std::string_view text);
    static std::optional<bool> boolean(std::string_view text);

    // The reason a command is malformed, or nothing when it is well formed.
    static std::optional<std::string> check(const Command& command);

  private:
    std::vector<Command> commands_;
};

} // namespace wigglet::sim
