#include "VerbTable.h"

#include "DelegateActions.h"
#include "ScenarioRunner.h"
#include "UiActor.h"
#include "UiDescriber.h"

#include <algorithm>
#include <limits>

namespace wigglet::sim {

namespace {

using Runner = ScenarioRunner;

SimWorld& world(Runner& r) {
    return r.sim().world;
}

// X or X.Y, each part a whole number: the parts are read, not a decimal.
std::optional<OSVersion> versionOf(const std::string& text) {
    const auto dot = text.find('.');
    const auto major = Scenario::wholeNumber(std::string_view(text).substr(0, dot));
    const auto minor = dot == std::string::npos
                           ? std::optional<long long>(0)
                           : Scenario::wholeNumber(std::string_view(text).substr(dot + 1));
    if (!major || !minor)
        return std::nullopt;
    OSVersion version;
    version.major = static_cast<int>(*major);
    version.minor = static_cast<int>(*minor);
    return version;
}

// A battery's charge in percent, or `?` for none reported.
std::optional<std::optional<int>> chargeOf(const std::string& word) {
    if (word == "?")
        return std::optional<int>();
    if (const auto whole = Scenario::wholeNumber(word))
        return std::optional<int>(static_cast<int>(*whole));
    return std::nullopt;
}

Problem checkVersion(const Verb&, const Command& c) {
    return versionOf(c[1]) ? std::nullopt : Problem("bad version '" + c[1] + "'");
}

Problem checkBattery(const Verb& verb, const Command& c) {
    if (c[c.size() - 1] != "ac" && c[c.size() - 1] != "battery")
        return "unknown choice '" + c[c.size() - 1] + "': " + std::string(verb.usage);
    for (std::size_t i = 1; i + 1 < c.size(); ++i)
        if (!chargeOf(c[i]))
            return "bad charge '" + c[i] + "': " + std::string(verb.usage);
    return std::nullopt;
}

Problem runBattery(Runner& r, const Command& c) {
    SimWorld& w = world(r);
    w.hasSmartBattery = true;
    w.batteryCharges.clear();
    for (std::size_t i = 1; i + 1 < c.size(); ++i)
        w.batteryCharges.push_back(*chargeOf(c[i]));
    w.onMains = c[c.size() - 1] == "ac";
    return std::nullopt;
}

Problem runNotifications(Runner& r, const Command& c) {
    using P = SimNotifications::Permission;
    constexpr P permissions[] = {P::Granted, P::Denied, P::AskGrant, P::AskDeny};
    constexpr const char* names[] = {"granted", "denied", "ask-grant", "ask-deny"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (c[1] == names[i])
            r.sim().notifications.setPermission(permissions[i]);
    return std::nullopt;
}

// The value's shape follows its type: bool|int|double|string|data.
Problem checkSet(const Verb& verb, const Command& c) {
    return verb.checkWord(c, 3, "binww"[verb.choiceOf(c, 2)]);
}

Problem runSet(Runner& r, const Command& c) {
    const std::string& type = c[2];
    const std::string& value = c[3];
    if (type == "bool")
        r.store().putRaw(c[1], *Scenario::boolean(value));
    else if (type == "int")
        r.store().putRaw(c[1], c.whole(3));
    else if (type == "double")
        r.store().putRaw(c[1], c.number(3));
    else if (type == "string")
        r.store().putRaw(c[1], value);
    else
        r.store().putRawData(c[1], Bytes(value.begin(), value.end()));
    return std::nullopt;
}

Problem checkAt(const Verb&, const Command& c) {
    const Command inner = c.tail(2);
    if (inner.verb() == "at" || inner.verb() == "advance")
        return "'" + inner.verb() + "' cannot be delayed with at";
    return VerbTable::check(inner);
}

Problem runAt(Runner& r, const Command& c) {
    Problem reason;
    r.schedule(c, VerbTable::find(c.tail(2), reason)->whileBlocked);
    return std::nullopt;
}

Problem runLaunch(Runner& r, const Command&) {
    if (r.delegate())
        return "the program is already running";
    r.launch();
    return std::nullopt;
}

Problem runQuit(Runner& r, const Command&) {
    if (r.delegate())
        r.quit();
    return std::nullopt;
}

Problem runAction(Runner& r, const Command& c) {
    if (!r.delegate())
        return "action " + c[1] + " before launch";
    runDelegateAction(*r.delegate(), c);
    return r.finishTurn(std::nullopt);
}

Problem checkAction(const Verb&, const Command& c) {
    return checkDelegateAction(c);
}

Problem actOnWindow(UiActor& ui, const Command& c) {
    if (c[2] == "close")
        return ui.closeWindow(c[1]);
    if (c[2] == "press" && c.size() == 4)
        return ui.pressInWindow(c[1], c[3]);
    return "unknown window action: window ID close | window ID press CONTROL";
}

Problem typeKey(UiActor& ui, const Command& c) {
    KeyDown keyDown;
    keyDown.modifierFlags = static_cast<std::uint64_t>(c.whole(1));
    keyDown.keyCode = static_cast<std::uint16_t>(c.whole(2));
    if (c[3] != "-")
        keyDown.characters = c[3];
    return ui.key(keyDown);
}

using C = const Command&;

constexpr Verb kVerbs[] = {
    // The simulated machine.
    {.name = "seed",
     .usage = "seed N",
     .shape = "i",
     .run = [](Runner& r, C c) -> Problem {
         r.sim().platform().random().reseed(static_cast<std::uint64_t>(c.whole(1)));
         return {};
     }},
    {.name = "screen",
     .usage = "screen W H",
     .shape = "nn",
     .run = [](Runner& r, C c) -> Problem {
         world(r).screen = Size{c.number(1), c.number(2)};
         return {};
     }},
    {.name = "screen none",
     .usage = "screen none",
     .run = [](Runner& r, C) -> Problem {
         world(r).screen.reset();
         return {};
     }},
    {.name = "system-version",
     .usage = "system-version X.Y",
     .shape = "w",
     .check = checkVersion,
     .run = [](Runner& r, C c) -> Problem {
         world(r).version = *versionOf(c[1]);
         return {};
     }},
    {.name = "trusted",
     .usage = "trusted yes|no",
     .shape = "o",
     .run = [](Runner& r, C c) -> Problem {
         world(r).trusted = c[1] == "yes";
         return {};
     }},
    {.name = "battery",
     .usage = "battery P1 [P2 ...] ac|battery",
     .shape = "ww.",
     .check = checkBattery,
     .run = runBattery},
    {.name = "battery none",
     .usage = "battery none",
     .run = [](Runner& r, C) -> Problem {
         world(r).hasSmartBattery = false;
         world(r).batteryCharges.clear();
         world(r).onMains = true;
         return {};
     }},
    {.name = "brightness",
     .usage = "brightness F",
     .shape = "n",
     .run = [](Runner& r, C c) -> Problem {
         world(r).brightness = static_cast<float>(c.number(1));
         return {};
     }},
    {.name = "brightness none",
     .usage = "brightness none",
     .run = [](Runner& r, C) -> Problem {
         world(r).brightness.reset();
         return {};
     }},
    {.name = "notifications",
     .usage = "notifications granted|denied|ask-grant|ask-deny",
     .shape = "o",
     .run = runNotifications},
    {.name = "fail assertion",
     .usage = "fail assertion",
     .run = [](Runner& r, C) -> Problem {
         r.sim().power.failNextAssertion();
         return {};
     }},
    {.name = "fail login-item",
     .usage = "fail login-item \"REASON\"",
     .shape = "w",
     .run = [](Runner& r, C c) -> Problem {
         r.sim().loginItems.failNext(c[2]);
         return {};
     }},
    {.name = "fail hotkey",
     .usage = "fail hotkey",
     .run = [](Runner& r, C) -> Problem {
         r.sim().hotKeys.failNextRegistration();
         return {};
     }},
    {.name = "fail events",
     .usage = "fail events N",
     .shape = "c",
     .run = [](Runner& r, C c) -> Problem {
         int& failing = world(r).failEvents;
         failing += static_cast<int>(
             std::min<long long>(c.whole(2), std::numeric_limits<int>::max() - failing));
         return {};
     }},

    // The settings store and the program.
    {.name = "set",
     .usage = "set KEY bool|int|double|string|data VALUE",
     .shape = "wow",
     .check = checkSet,
     .run = runSet},
    {.name = "unset",
     .usage = "unset KEY",
     .shape = "w",
     .run = [](Runner& r, C c) -> Problem {
         r.store().eraseRaw(c[1]);
         return {};
     }},
    {.name = "launch", .usage = "launch", .run = runLaunch},
    {.name = "quit", .usage = "quit", .run = runQuit},
    {.name = "restart",
     .usage = "restart",
     .run = [](Runner& r, C c) -> Problem {
         runQuit(r, c);
         r.launch();
         return {};
     }},
    {.name = "action",
     .usage = "action NAME [ARG]",
     .shape = "w?",
     .check = checkAction,
     .run = runAction},
    {.name = "dump settings",
     .usage = "dump settings",
     .run = [](Runner& r, C) -> Problem {
         recordTrace("settings", {{"values", r.store().snapshot()}});
         return {};
     }},

    // Time.
    {.name = "advance",
     .usage = "advance S",
     .shape = "n",
     .run = [](Runner& r, C c) -> Problem {
         r.sim().runLoop.runUntil(r.sim().micros() + c.micros(1));
         return {};
     }},
    {.name = "at", .usage = "at T COMMAND...", .shape = "nw.", .check = checkAt, .run = runAt},

    // The user's real input.
    {.name = "user move",
     .usage = "user move X Y",
     .shape = "nn",
     .run = [](Runner& r, C c) -> Problem {
         world(r).pointer = {c.number(2), c.number(3)};
         return {};
     },
     .input = true,
     .whileBlocked = true},
    {.name = "user key", .usage = "user key", .input = true, .whileBlocked = true},
    {.name = "user active",
     .usage = "user active T1 T2",
     .shape = "nn",
     .run = [](Runner& r, C c) -> Problem {
         world(r).activePeriods.emplace_back(c.micros(2), c.micros(3));
         return {};
     },
     .whileBlocked = true},
    {.name = "user click",
     .usage = "user click",
     .act = [](UiActor& ui, C) { return ui.clickAtPointer(); },
     .input = true},
    {.name = "hotkey",
     .usage = "hotkey",
     .run = [](Runner& r, C) -> Problem {
         r.sim().hotKeys.pressRegistered();
         return {};
     },
     .input = true},
    {.name = "key", .usage = "key FLAGS CODE CHARS", .shape = "iiw", .act = typeKey, .input = true},

    // The interface.
    {.name = "menu open",
     .usage = "menu open",
     .act = [](UiActor& ui, C) { return ui.openMenu(); },
     .describe = [](UiDescriber& ui, C) { return ui.dumpMenu(); }},
    {.name = "menu click",
     .usage = "menu click \"TITLE > TITLE\"",
     .shape = "w",
     .act = [](UiActor& ui, C c) { return ui.clickMenu(c[2]); }},
    {.name = "prefs open",
     .usage = "prefs open",
     .act = [](UiActor& ui, C) { return ui.openPrefs(); }},
    {.name = "prefs pane",
     .usage = "prefs pane General|Click|Scroll",
     .shape = "o",
     .act = [](UiActor& ui, C c) { return ui.selectPane(c[2]); }},
    {.name = "prefs choose",
     .usage = "prefs choose CONTROL INDEX|TITLE",
     .shape = "ww",
     .act = [](UiActor& ui, C c) { return ui.choose(c[2], c[3]); }},
    {.name = "prefs check",
     .usage = "prefs check CONTROL on|off",
     .shape = "wo",
     .act = [](UiActor& ui, C c) { return ui.check(c[2], c[3] == "on"); }},
    {.name = "prefs press",
     .usage = "prefs press CONTROL",
     .shape = "w",
     .act = [](UiActor& ui, C c) { return ui.press(c[2]); }},
    {.name = "window", .usage = "window ID ACTION", .shape = "ww.", .act = actOnWindow},
    {.name = "dump menu",
     .usage = "dump menu",
     .describe = [](UiDescriber& ui, C) { return ui.dumpMenu(); }},
    {.name = "dump prefs",
     .usage = "dump prefs",
     .describe = [](UiDescriber& ui, C) { return ui.dumpPrefs(); }},
    {.name = "dump windows",
     .usage = "dump windows",
     .describe = [](UiDescriber& ui, C) { return ui.dumpWindows(); }},
    {.name = "screenshot",
     .usage = "screenshot WINDOW|menu FILE.png",
     .shape = "ww",
     .describe = [](UiDescriber& ui, C c) { return ui.screenshot(c[1], c[2]); }},
};

Problem act(Runner& runner, const Verb& verb, const Command& c) {
    if (UiActor* actor = runner.ui().actor())
        return verb.act(*actor, c);
    if (runner.delegate())
        return "'" + c.verb() + "' needs the user interface, which this build lacks";
    return "'" + c.verb() + "' before launch";
}

} // namespace

std::span<const Verb> VerbTable::verbs() {
    return kVerbs;
}

std::string VerbTable::usageOf(std::string_view group) {
    std::string usage;
    for (const Verb& verb : verbs())
        if (verb.name.size() > group.size() && verb.name.starts_with(group) &&
            verb.name[group.size()] == ' ')
            usage += (usage.empty() ? "" : " | ") + std::string(verb.usage);
    return usage;
}

const Verb* VerbTable::find(const Command& c, Problem& reason) {
    const auto named = [](std::string_view name) {
        const auto found = std::ranges::find(verbs(), name, &Verb::name);
        return found == verbs().end() ? nullptr : &*found;
    };
    if (const Verb* verb = c.size() > 1 ? named(c.verb() + " " + c[1]) : nullptr)
        return verb;
    if (const Verb* verb = named(c.verb()))
        return verb;
    const std::string usage = usageOf(c.verb());
    if (usage.empty())
        reason = "unknown command '" + c.verb() + "'";
    else if (c.size() < 2)
        reason = "missing argument: " + usage;
    else
        reason = "unknown " + c.verb() + " command '" + c[1] + "': " + usage;
    return nullptr;
}

Problem VerbTable::check(const Command& c) {
    Problem reason;
    const Verb* verb = find(c, reason);
    return verb ? verb->checkShape(c) : reason;
}

Problem VerbTable::run(ScenarioRunner& runner, const Command& c) {
    Problem problem;
    const Verb* verb = find(c, problem);
    if (!verb)
        return problem;
    if (verb->input)
        runner.sim().events.userInput();
    if (verb->run)
        problem = verb->run(runner, c);
    if (!verb->act && !verb->describe)
        return problem;
    if (verb->act && !problem)
        problem = act(runner, *verb, c);
    if (verb->describe && !problem)
        problem = verb->describe(runner.ui().describer(), c);
    return runner.finishTurn(problem);
}

} // namespace wigglet::sim
