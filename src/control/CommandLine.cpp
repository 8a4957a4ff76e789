#include "control/CommandLine.h"

#include "app/LocalClock.h"
#include "control/ControlState.h"

#include <algorithm>
#include <charconv>

namespace wigglet {

namespace {

ParsedCommandLine fail(std::string reason) {
    return {std::nullopt, std::move(reason)};
}

std::optional<std::int64_t> parseMinutes(const std::string& text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return value;
}

} // namespace

const char* CommandLine::usage() {
    return "usage: wigglet [--settings PATH] [--trace FILE] [--verbose] [--service]\n"
           "       wigglet shake [MINUTES]     shake for MINUTES (0 or none: indefinitely)\n"
           "       wigglet shake --until HH:MM shake until the clock shows HH:MM\n"
           "       wigglet stop                stop shaking\n"
           "       wigglet toggle              shake indefinitely, or stop\n"
           "       wigglet status [--json]     tell whether Wigglet shakes\n"
           "       wigglet doctor [--json]     check what Wigglet reaches in this session\n"
           "       wigglet run -- COMMAND...   shake while COMMAND runs; exits with its status\n"
           "       wigglet watch PID           shake until process PID ends\n"
           "       wigglet --version | --help\n";
}

const char* CommandLine::help() {
    return "\n"
           "The shortcut Alt+Super+S starts and stops shaking; the preferences change it.\n"
           "sway, Hyprland and other wlroots compositors let no program register a shortcut:\n"
           "bind `wigglet toggle` in the compositor's configuration instead.\n"
           "  sway (~/.config/sway/config):\n"
           "    bindsym Mod1+Mod4+s exec wigglet toggle\n"
           "  Hyprland (~/.config/hypr/hyprland.conf):\n"
           "    bind = ALT SUPER, s, exec, wigglet toggle\n"
           "GNOME before 48 has no shortcut for programs either: the preferences' Desktop pane\n"
           "adds `wigglet toggle` to GNOME's custom keyboard shortcuts.\n";
}

ParsedCommandLine CommandLine::parse(const std::vector<std::string>& all) {
    CommandLine line;
    std::vector<std::string> words;
    // What follows -- is a command to run, never Wigglet's own options.
    const auto dashes = std::find(all.begin(), all.end(), "--");
    const std::vector<std::string> args(all.begin(), dashes);
    if (dashes != all.end())
        line.command.assign(dashes + 1, all.end());
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--until") {
            if (i + 1 >= args.size() || !LocalClock::parseTimeOfDay(args[i + 1]))
                return fail("--until needs a time of day (HH:MM)");
            line.until = args[++i];
        } else if (arg == "--settings" || arg == "--trace") {
            if (i + 1 >= args.size())
                return fail(arg + " needs a path");
            (arg == "--settings" ? line.settingsPath : line.tracePath) = args[++i];
        } else if (arg == "--verbose") {
            line.verbose = true;
        } else if (arg == "--service") {
            line.service = true;
        } else if (arg == "--version") {
            line.verb = Verb::Version;
        } else if (arg == "--help" || arg == "-h") {
            line.verb = Verb::Help;
        } else if (arg == "--json") {
            line.json = true;
        } else if (arg.size() > 1 && arg[0] == '-' && !parseMinutes(arg)) {
            return fail("unknown option: " + arg);
        } else {
            words.push_back(arg);
        }
    }
    if (line.verb == Verb::Version || line.verb == Verb::Help)
        return {line, {}};
    if (words.empty()) {
        if (line.json)
            return fail("--json goes with status or doctor");
        if (line.until || dashes != all.end())
            return fail(line.until ? "--until goes with shake" : "-- goes with run");
        return {line, {}};
    }
    const std::string& verb = words[0];
    const std::size_t allowed = verb == "shake" || verb == "watch" ? 2 : 1;
    if (line.until && (verb != "shake" || words.size() > 1))
        return fail("--until goes with shake, without minutes");
    if ((dashes != all.end()) != (verb == "run") || (verb == "run" && line.command.empty()))
        return fail(verb == "run" ? "run needs a command after --" : "-- goes with run");
    if (verb == "run") {
        line.verb = Verb::RunCommand;
    } else if (verb == "watch") {
        line.verb = Verb::Watch;
        const auto pid = words.size() > 1 ? parseMinutes(words[1]) : std::nullopt;
        if (!pid || *pid <= 0 || *pid > 0x3fffffff)
            return fail("watch needs a process id: " + (words.size() > 1 ? words[1] : ""));
        line.pid = *pid;
    } else if (verb == "shake") {
        line.verb = Verb::Shake;
        if (words.size() > 1) {
            const auto minutes = parseMinutes(words[1]);
            if (!minutes)
                return fail("not a whole number of minutes: " + words[1]);
            if (*minutes < 0 || *minutes > kMaxShakeMinutes)
                return fail("minutes must be from 0 to " + std::to_string(kMaxShakeMinutes) + ": " +
                            words[1]);
            line.minutes = *minutes;
        }
    } else if (verb == "stop") {
        line.verb = Verb::Stop;
    } else if (verb == "toggle") {
        line.verb = Verb::Toggle;
    } else if (verb == "status") {
        line.verb = Verb::Status;
    } else if (verb == "doctor") {
        line.verb = Verb::Doctor;
    } else {
        return fail("unknown command: " + verb);
    }
    if (words.size() > allowed)
        return fail("too many arguments for " + verb + ": " + words[allowed]);
    if (line.json && line.verb != Verb::Status && line.verb != Verb::Doctor)
        return fail("--json goes with status or doctor");
    return {line, {}};
}

} // namespace wigglet
