#pragma once

#include "Verb.h"

#include <span>

namespace wigglet::sim {

// The scenario language: every verb with its usage, its check and what it does. The parser
// checks commands against it and the runner runs them through it.
class VerbTable {
  public:
    // The verb a command names; the reason when it names none.
    static const Verb* find(const Command& command, Problem& reason);
    // The reason a command is malformed, or nothing when it is well formed.
    static Problem check(const Command& command);
    // Runs a well-formed command.
    static Problem run(ScenarioRunner& runner, const Command& command);

  private:
    static std::span<const Verb> verbs();
    // The usages of a verb's subcommands, for a command that names none of them.
    static std::string usageOf(std::string_view group);
};

} // namespace wigglet::sim
