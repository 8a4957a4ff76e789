#pragma once

#include "Scenario.h"

#include <optional>
#include <string>
#include <string_view>

namespace wigglet::sim {

class ScenarioRunner;
class UiActor;
class UiDescriber;

// The reason a command is malformed or cannot run; nothing when all is well.
using Problem = std::optional<std::string>;

// One command of the scenario language. A verb runs through the runner, acts on the interface
// as the user would, writes what the interface shows, or a mix, in that order.
struct Verb {
    enum class Needs { Nothing, Program, NoProgram };

    // The command as written. Its name is its first word or, for a subcommand, its first two:
    // the leading lower-case words. An argument of lower-case words a|b lists the words it takes.
    std::string_view usage = {};
    // One letter per argument after the name: w a word, n a number, i a whole number, c a
    // count (whole, not negative), b a boolean, o one of the usage's words; then ? for an
    // optional word or . for any further words.
    std::string_view shape = {};
    // What the shape cannot say.
    Problem (*check)(const Verb&, const Command&) = nullptr;
    void (*run)(ScenarioRunner&, const Command&) = nullptr;
    Problem (*act)(UiActor&, const Command&) = nullptr;
    Problem (*describe)(UiDescriber&, const Command&) = nullptr;
    // Real input by the user, which counts for the idle time as the verb runs.
    bool input = false;
    // Delivered by `at` even while a step blocks the main loop, as input from outside is.
    bool whileBlocked = false;
    // Whether the program must be running for the verb, or must not; the interface is there
    // only while it runs.
    Needs needs = Needs::Nothing;

    std::string_view name() const;
    Problem checkShape(const Command& command) const;
    // Whether word i of the command is of this kind (a shape letter); the reason if not.
    Problem checkWord(const Command& command, std::size_t i, char kind) const;
    // Index of word i among the usage's choices for it.
    std::size_t choiceOf(const Command& command, std::size_t i) const;
    // The usage's lower-case choices for word i, as "a|b".
    std::string_view choices(std::size_t i) const;
};

} // namespace wigglet::sim
