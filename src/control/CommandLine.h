#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace wigglet {

// The words `wigglet` was started with: either the tray program with its options, or one of
// the verbs that drive a running program from a script.
struct CommandLine {
    // Run is the tray program; RunCommand is `wigglet run -- COMMAND...`.
    enum class Verb { Run, Shake, Stop, Toggle, Status, Doctor, RunCommand, Watch, Version, Help };

    Verb verb = Verb::Run;
    std::int64_t minutes = 0;         // shake: 0 means indefinitely
    bool json = false;                // status --json, doctor --json
    std::optional<std::string> until; // shake --until HH:MM
    std::vector<std::string> command; // run -- COMMAND...
    std::int64_t pid = 0;             // watch PID
    std::optional<std::string> settingsPath;
    std::optional<std::string> tracePath;
    bool verbose = false;
    // Started by the session bus, which passes on why: the program opens no window of its own.
    bool service = false;

    // The parsed words, or the reason they make no sense.
    static struct ParsedCommandLine parse(const std::vector<std::string>& args);
    static const char* usage();
    // What --help adds to the usage: where the global shortcut comes from.
    static const char* help();
};

struct ParsedCommandLine {
    std::optional<CommandLine> line;
    std::string error;
};

} // namespace wigglet
