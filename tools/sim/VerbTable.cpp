#include "VerbTable.h"

#include "DelegateActions.h"
#include "ScenarioRunner.h"
#include "UiActor.h"
#include "UiDescriber.h"
#include "app/LocalClock.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ctime>
#include <filesystem>
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

// A battery's charge in percent, or `?` for none reported; false when the word is neither.
bool readCharge(const std::string& word, std::optional<int>& charge) {
    const auto whole = Scenario::wholeNumber(word);
    charge = whole ? std::optional<int>(static_cast<int>(*whole)) : std::nullopt;
    return whole || word == "?";
}

Problem checkVersion(const Verb&, const Command& c) {
    return versionOf(c[1]) ? std::nullopt : Problem("bad version '" + c[1] + "'");
}

Problem checkBattery(const Verb& verb, const Command& c) {
    const std::string& source = c[c.size() - 1];
    if (source != "ac" && source != "battery")
        return "unknown choice '" + source + "': " + std::string(verb.usage);
    for (std::size_t i = 1; i + 1 < c.size(); ++i)
        if (std::optional<int> charge; !readCharge(c[i], charge))
            return "bad charge '" + c[i] + "': " + std::string(verb.usage);
    return std::nullopt;
}

void runBattery(Runner& r, const Command& c) {
    SimWorld& w = world(r);
    w.hasSmartBattery = c[1] != "none";
    w.onMains = c[1] == "none" || c[c.size() - 1] == "ac";
    w.batteryCharges.clear();
    for (std::size_t i = 1; w.hasSmartBattery && i + 1 < c.size(); ++i)
        readCharge(c[i], w.batteryCharges.emplace_back());
}

// A zone of the system's time-zone database, as TZ names it.
bool knownZone(const std::string& zone) {
    if (zone == "UTC")
        return true;
    std::error_code error;
    return !zone.empty() && zone.find("..") == std::string::npos && zone[0] != '/' &&
           std::filesystem::is_regular_file("/usr/share/zoneinfo/" + zone, error);
}

Problem checkClock(const Verb& verb, const Command& c) {
    if (!LocalClock::parseDateTime(c[1]))
        return "bad date '" + c[1] + "' (YYYY-MM-DDTHH:MM): " + std::string(verb.usage);
    if (!knownZone(c[2]))
        return "unknown time zone '" + c[2] + "'";
    return std::nullopt;
}

void runClock(Runner& r, const Command& c) {
    setenv("TZ", c[2].c_str(), 1);
    tzset();
    const CivilTime at = *LocalClock::parseDateTime(c[1]);
    const double date = LocalClock::instantOf(at.year, at.month, at.day, at.secondOfDay / 60);
    r.sim().clock.setWallMicros(static_cast<std::int64_t>(std::llround(date * 1e6)));
}

void runProgram(Runner& r, const Command& c) {
    if (c[1] == "start")
        r.sim().systemEvents.startProgram(c[2]);
    else
        r.sim().systemEvents.endProgram(c[2]);
}

void runNotifications(Runner& r, const Command& c) {
    using P = SimNotifications::Permission;
    constexpr P permissions[] = {P::Granted, P::Denied, P::AskGrant, P::AskDeny};
    constexpr const char* names[] = {"granted", "denied", "ask-grant", "ask-deny"};
    for (std::size_t i = 0; i < std::size(names); ++i)
        if (c[1] == names[i])
            r.sim().notifications.setPermission(permissions[i]);
}

// The value's shape follows its type: bool|int|double|string|data.
Problem checkSet(const Verb& verb, const Command& c) {
    return verb.checkWord(c, 3, "binww"[verb.choiceOf(c, 2)]);
}

void runSet(Runner& r, const Command& c) {
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
}

Problem checkAt(const Verb&, const Command& c) {
    const Command inner = c.tail(2);
    if (inner.verb() == "at" || inner.verb() == "advance")
        return "'" + inner.verb() + "' cannot be delayed with at";
    return VerbTable::check(inner);
}

void runAt(Runner& r, const Command& c) {
    Problem reason;
    r.schedule(c, VerbTable::find(c.tail(2), reason)->whileBlocked);
}

void quit(Runner& r, const Command&) {
    if (r.delegate())
        r.quit();
}

Problem actOnWindow(UiActor& ui, const Command& c) {
    if (c[2] == "close")
        return ui.closeWindow(c[1]);
    if (c[2] == "press" && c.size() == 4)
        return ui.pressInWindow(c[1], c[3]);
    if (c[2] == "choose" && c.size() == 5)
        return ui.chooseInWindow(c[1], c[3], c[4]);
    return "unknown window action: window ID close | window ID press CONTROL | "
           "window ID choose CONTROL INDEX|TITLE";
}

Problem typeKey(UiActor& ui, const Command& c) {
    KeyDown keyDown;
    keyDown.modifierFlags = static_cast<std::uint64_t>(c.whole(1));
    keyDown.keyCode = static_cast<std::uint16_t>(c.whole(2));
    if (c[3] != "-")
        keyDown.characters = c[3];
    return ui.key(keyDown);
}

void addIdleSource(Runner& r, const Command& c) {
    using By = SimIdleSource::ResetBy;
    const By cause = c[2] == "input" ? By::Input : c[2] == "activity" ? By::Activity : By::Nothing;
    world(r).idleSources.push_back({c[1], cause, r.sim().micros()});
}

// Every idle count the simulated session keeps, the HID one first.
void dumpIdle(Runner& r, const Command&) {
    const SimWorld& w = world(r);
    const std::int64_t now = r.sim().micros();
    Trace::Fields sources = {{"hid", w.idleSeconds(w.lastInputMicros, now)}};
    for (const SimIdleSource& source : w.idleSources)
        sources[source.name] = w.idleSeconds(source.lastResetMicros, now);
    recordTrace("idle", {{"sources", sources}});
}

using C = const Command&;
using N = Verb::Needs;

constexpr Verb kVerbs[] = {
    // The simulated machine.
    {.usage = "seed N",
     .shape = "i",
     .run = [](Runner& r, C c) { r.sim().platform().random().reseed(c.whole(1)); }},
    {.usage = "screen W H",
     .shape = "nn",
     .run =
         [](Runner& r, C c) {
             world(r).screen = Size{c.number(1), c.number(2)};
         }},
    {.usage = "screen none", .run = [](Runner& r, C) { world(r).screen.reset(); }},
    {.usage = "system-version X.Y",
     .shape = "w",
     .check = checkVersion,
     .run = [](Runner& r, C c) { world(r).version = *versionOf(c[1]); }},
    {.usage = "trusted yes|no",
     .shape = "o",
     .run = [](Runner& r, C c) { world(r).trusted = c[1] == "yes"; }},
    {.usage = "battery P1 [P2 ...] ac|battery",
     .shape = "ww.",
     .check = checkBattery,
     .run =
         [](Runner& r, C c) {
             runBattery(r, c);
             r.sim().systemEvents.powerSourceChanged();
         }},
    {.usage = "battery none", .run = runBattery},
    {.usage = "clock DATE ZONE", .shape = "ww", .check = checkClock, .run = runClock},
    {.usage = "program start NAME", .shape = "w", .run = runProgram},
    {.usage = "program end NAME", .shape = "w", .run = runProgram},
    {.usage = "brightness F",
     .shape = "n",
     .run = [](Runner& r, C c) { world(r).brightness = static_cast<float>(c.number(1)); }},
    {.usage = "brightness none", .run = [](Runner& r, C) { world(r).brightness.reset(); }},
    {.usage = "notifications granted|denied|ask-grant|ask-deny",
     .shape = "o",
     .run = runNotifications},
    {.usage = "lock", .run = [](Runner& r, C) { world(r).locked = true; }, .whileBlocked = true},
    {.usage = "unlock", .run = [](Runner& r, C) { world(r).locked = false; }, .whileBlocked = true},
    {.usage = "idle-source NAME input|activity|none", .shape = "wo", .run = addIdleSource},
    {.usage = "fail assertion", .run = [](Runner& r, C) { r.sim().power.failNextAssertion(); }},
    {.usage = "fail login-item \"REASON\"",
     .shape = "w",
     .run = [](Runner& r, C c) { r.sim().loginItems.failNext(c[2]); }},
    {.usage = "fail hotkey", .run = [](Runner& r, C) { r.sim().hotKeys.failNextRegistration(); }},
    {.usage = "fail events N",
     .shape = "c",
     .run =
         [](Runner& r, C c) {
             int& failing = world(r).failEvents;
             failing += static_cast<int>(
                 std::min<long long>(c.whole(2), std::numeric_limits<int>::max() - failing));
         }},

    // The settings store and the program.
    {.usage = "set KEY bool|int|double|string|data VALUE",
     .shape = "wow",
     .check = checkSet,
     .run = runSet},
    {.usage = "unset KEY", .shape = "w", .run = [](Runner& r, C c) { r.store().eraseRaw(c[1]); }},
    {.usage = "launch", .run = [](Runner& r, C) { r.launch(); }, .needs = N::NoProgram},
    {.usage = "quit", .run = quit},
    {.usage = "restart",
     .run =
         [](Runner& r, C c) {
             quit(r, c);
             r.launch();
         }},
    {.usage = "action NAME [ARG]",
     .shape = "w?",
     .check = [](const Verb&, C c) { return checkDelegateAction(c); },
     .run =
         [](Runner& r, C c) {
             runDelegateAction(*r.delegate(), c);
             r.finishTurn();
         },
     .needs = N::Program},
    {.usage = "dump idle", .run = dumpIdle},
    {.usage = "dump settings",
     .run =
         [](Runner& r, C) {
             recordTrace("settings", {{"values", r.store().snapshot()}});
         }},

    // Time.
    {.usage = "advance S",
     .shape = "n",
     .run = [](Runner& r, C c) { r.sim().runLoop.runUntil(r.sim().micros() + c.micros(1)); }},
    {.usage = "at T COMMAND...", .shape = "nw.", .check = checkAt, .run = runAt},
    {.usage = "suspend S",
     .shape = "n",
     .run = [](Runner& r, C c) { r.sim().suspend(c.number(1)); },
     .whileBlocked = true},

    // The user's real input.
    {.usage = "user move X Y",
     .shape = "nn",
     .run =
         [](Runner& r, C c) {
             world(r).pointer = {c.number(2), c.number(3)};
         },
     .input = true,
     .whileBlocked = true},
    {.usage = "user key", .input = true, .whileBlocked = true},
    {.usage = "user active T1 T2",
     .shape = "nn",
     .run = [](Runner& r, C c) { world(r).activePeriods.emplace_back(c.micros(2), c.micros(3)); },
     .whileBlocked = true},
    {.usage = "user click",
     .act = [](UiActor& ui, C) { return ui.clickAtPointer(); },
     .input = true},
    {.usage = "hotkey",
     .run = [](Runner& r, C) { r.sim().hotKeys.pressRegistered(); },
     .input = true},
    {.usage = "key FLAGS CODE CHARS", .shape = "iiw", .act = typeKey, .input = true},

    // The interface.
    {.usage = "menu open",
     .act = [](UiActor& ui, C) { return ui.openMenu(); },
     .describe = [](UiDescriber& ui, C) { return ui.dumpMenu(); }},
    {.usage = "menu click \"TITLE > TITLE\"",
     .shape = "w",
     .act = [](UiActor& ui, C c) { return ui.clickMenu(c[2]); }},
    {.usage = "prefs open", .act = [](UiActor& ui, C) { return ui.openPrefs(); }},
    {.usage = "prefs pane General|Click|Scroll|Rules",
     .shape = "o",
     .act = [](UiActor& ui, C c) { return ui.selectPane(c[2]); }},
    {.usage = "prefs choose CONTROL INDEX|TITLE",
     .shape = "ww",
     .act = [](UiActor& ui, C c) { return ui.choose(c[2], c[3]); }},
    {.usage = "prefs check CONTROL on|off",
     .shape = "wo",
     .act = [](UiActor& ui, C c) { return ui.check(c[2], c[3] == "on"); }},
    {.usage = "prefs press CONTROL",
     .shape = "w",
     .act = [](UiActor& ui, C c) { return ui.press(c[2]); }},
    {.usage = "window ID ACTION", .shape = "ww.", .act = actOnWindow},
    {.usage = "dump menu", .describe = [](UiDescriber& ui, C) { return ui.dumpMenu(); }},
    {.usage = "dump prefs", .describe = [](UiDescriber& ui, C) { return ui.dumpPrefs(); }},
    {.usage = "dump windows", .describe = [](UiDescriber& ui, C) { return ui.dumpWindows(); }},
    {.usage = "screenshot WINDOW|menu FILE.png",
     .shape = "ww",
     .describe = [](UiDescriber& ui, C c) { return ui.screenshot(c[1], c[2]); }},
};

// Why the verb cannot run now, if it cannot.
Problem refusal(Runner& runner, const Verb& verb, const Command& c) {
    const bool running = runner.delegate();
    if ((verb.needs == N::Program || verb.act) && !running)
        return "'" + c.verb() + "' before launch";
    if (verb.needs == N::NoProgram && running)
        return "the program is already running";
    if (verb.act && !runner.ui().actor())
        return "'" + c.verb() + "' needs the user interface, which this build lacks";
    return std::nullopt;
}

} // namespace

std::span<const Verb> VerbTable::verbs() {
    return kVerbs;
}

std::string VerbTable::usageOf(std::string_view group) {
    std::string usage;
    for (const Verb& verb : verbs())
        if (verb.name().starts_with(group) && verb.name().size() > group.size() &&
            verb.name()[group.size()] == ' ')
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
    if (!verb || (problem = refusal(runner, *verb, c)))
        return problem;
    if (verb->input)
        runner.sim().events.userInput();
    if (verb->run)
        verb->run(runner, c);
    if (!verb->act && !verb->describe)
        return std::nullopt;
    if (verb->act)
        problem = verb->act(*runner.ui().actor(), c);
    if (verb->describe && !problem)
        problem = verb->describe(runner.ui().describer(), c);
    runner.finishTurn();
    return problem;
}

} // namespace wigglet::sim
