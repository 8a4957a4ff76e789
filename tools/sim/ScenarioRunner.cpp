#include "ScenarioRunner.h"

#include "StandInUi.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <map>

namespace wigglet::sim {

namespace {

using ActionFn = std::function<void(AppDelegate&, const std::string&)>;

struct ActionEntry {
    enum class Arg { None, Whole, Text } arg;
    ActionFn run;
};

template <class F> ActionEntry plain(F f) {
    return {ActionEntry::Arg::None, [f](AppDelegate& d, const std::string&) { (d.*f)(); }};
}

const std::map<std::string, ActionEntry>& actions() {
    static const std::map<std::string, ActionEntry> table = {
        {"shakeForClickedWithSender",
         {ActionEntry::Arg::Whole,
          [](AppDelegate& d, const std::string& a) {
              d.shakeForClickedWithSender(*Scenario::wholeNumber(a));
          }}},
        {"helpWindowWithTitle",
         {ActionEntry::Arg::Text,
          [](AppDelegate& d, const std::string& a) { d.helpWindowWithTitle(a); }}},
        {"shakePreviousClicked", plain(&AppDelegate::shakePreviousClicked)},
        {"switchIndefinitelyShake", plain(&AppDelegate::switchIndefinitelyShake)},
        {"stopShakeAndUpdate", plain(&AppDelegate::stopShakeAndUpdate)},
        {"shakeForCallback", plain(&AppDelegate::shakeForCallback)},
        {"switchZen", plain(&AppDelegate::switchZen)},
        {"switchClick", plain(&AppDelegate::switchClick)},
        {"switchScroll", plain(&AppDelegate::switchScroll)},
        {"switchMoveCursor", plain(&AppDelegate::switchMoveCursor)},
        {"updateUI", plain(&AppDelegate::updateUI)},
        {"applyShakeState", plain(&AppDelegate::applyShakeState)},
        {"mainLoop", plain(&AppDelegate::mainLoop)},
        {"showPreferences", plain(&AppDelegate::showPreferences)},
        {"infos", plain(&AppDelegate::infos)},
        {"overview", plain(&AppDelegate::overview)},
        {"faq", plain(&AppDelegate::faq)},
        {"sendFeedback", plain(&AppDelegate::sendFeedback)},
        {"rate", plain(&AppDelegate::rate)},
        {"checkOurSoftwareClicked", plain(&AppDelegate::checkOurSoftwareClicked)},
        {"checkForUpdates", plain(&AppDelegate::checkForUpdates)},
        {"authorizeApp", plain(&AppDelegate::authorizeApp)},
    };
    return table;
}

// Toolkit selectors end in a colon; the scenario may write them either way.
std::string actionName(std::string name) {
    if (!name.empty() && name.back() == ':')
        name.pop_back();
    return name;
}

std::optional<std::string> checkAction(const Command& c) {
    const auto found = actions().find(actionName(c[1]));
    if (found == actions().end())
        return "unknown action '" + c[1] + "'";
    const auto arg = found->second.arg;
    if (arg == ActionEntry::Arg::None && c.size() > 2)
        return "action " + c[1] + " takes no argument";
    if (arg != ActionEntry::Arg::None && c.size() < 3)
        return "missing argument: action " + c[1] + " ARG";
    if (arg == ActionEntry::Arg::Whole && !Scenario::wholeNumber(c[2]))
        return "bad whole number '" + c[2] + "'";
    return std::nullopt;
}

std::int64_t micros(double seconds) {
    return static_cast<std::int64_t>(std::llround(seconds * 1e6));
}

Bytes bytesOf(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

bool isUserInput(const Command& c) {
    return c.verb() == "user" && c[1] != "click";
}

} // namespace

ScenarioRunner::ScenarioRunner(Options options, std::unique_ptr<ScenarioUi> ui)
    : scope_(sim_.platform()), store_(std::make_shared<SettingsStore>()), ui_(std::move(ui)) {
    if (!ui_)
        ui_ = std::make_unique<StandInUi>();
    Trace& trace = sim_.platform().trace();
    if (!options.tracePath.empty())
        trace.open(options.tracePath);
    trace.setTicksEnabled(options.traceTicks);
    trace.setSleepsEnabled(options.traceSleeps);
    sim_.platform().provide(store_);
}

ScenarioRunner::~ScenarioRunner() {
    if (delegate_)
        quit();
}

std::optional<ScenarioError> ScenarioRunner::validate(const Scenario& scenario) {
    for (const Command& command : scenario.commands()) {
        const Command inner = command.verb() == "at" ? command.tail(2) : command;
        if (inner.verb() == "action")
            if (auto bad = checkAction(inner))
                return ScenarioError{command.line, *bad};
    }
    return std::nullopt;
}

std::optional<ScenarioError> ScenarioRunner::run(const Scenario& scenario) {
    if (auto bad = validate(scenario))
        return bad;
    for (const Command& command : scenario.commands()) {
        if (auto bad = execute(command))
            return ScenarioError{command.line, *bad};
        if (delayedError_)
            return delayedError_;
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioRunner::execute(const Command& c) {
    const std::string& verb = c.verb();
    if (verb == "at") {
        schedule(c);
        return std::nullopt;
    }
    if (verb == "advance") {
        sim_.runLoop.runUntil(sim_.micros() + micros(*Scenario::number(c[1])));
        return std::nullopt;
    }
    if (verb == "launch") {
        if (delegate_)
            return "the program is already running";
        launch();
        return std::nullopt;
    }
    if (verb == "quit" || verb == "restart") {
        if (delegate_)
            quit();
        if (verb == "restart")
            launch();
        return std::nullopt;
    }
    if (verb == "set")
        return setSetting(c);
    if (verb == "unset") {
        store_->eraseRaw(c[1]);
        return std::nullopt;
    }
    if (verb == "user")
        return userInput(c);
    if (verb == "action")
        return action(c);
    if (verb == "hotkey") {
        sim_.events.userInput();
        sim_.hotKeys.pressRegistered();
        return std::nullopt;
    }
    if (verb == "dump" && c[1] == "settings") {
        dumpSettings();
        return std::nullopt;
    }
    if (verb == "menu" || verb == "prefs" || verb == "key" || verb == "dump" ||
        verb == "screenshot" || verb == "window") {
        if (verb == "key")
            sim_.events.userInput();
        return runUi(c);
    }
    return configure(c);
}

std::optional<std::string> ScenarioRunner::configure(const Command& c) {
    const std::string& verb = c.verb();
    SimWorld& world = sim_.world;
    if (verb == "seed") {
        sim_.platform().random().reseed(static_cast<std::uint64_t>(*Scenario::wholeNumber(c[1])));
    } else if (verb == "screen") {
        if (c[1] == "none")
            world.screen.reset();
        else
            world.screen = Size{*Scenario::number(c[1]), *Scenario::number(c[2])};
    } else if (verb == "system-version") {
        const std::string& text = c[1];
        const auto dot = text.find('.');
        world.version.major = static_cast<int>(*Scenario::wholeNumber(text.substr(0, dot)));
        world.version.minor = 0;
        if (dot != std::string::npos) {
            const auto minor = Scenario::wholeNumber(text.substr(dot + 1));
            world.version.minor = minor ? static_cast<int>(*minor) : 0;
        }
    } else if (verb == "trusted") {
        world.trusted = c[1] == "yes";
    } else if (verb == "battery") {
        world.hasSmartBattery = c[1] != "none";
        world.batteryCharges.clear();
        world.onMains = c[1] == "none" || c[c.size() - 1] == "ac";
        for (std::size_t i = 1; world.hasSmartBattery && i + 1 < c.size(); ++i)
            world.batteryCharges.push_back(
                c[i] == "?" ? std::nullopt
                            : std::optional<int>(static_cast<int>(*Scenario::wholeNumber(c[i]))));
    } else if (verb == "brightness") {
        world.brightness = c[1] == "none"
                               ? std::nullopt
                               : std::optional<float>(static_cast<float>(*Scenario::number(c[1])));
    } else if (verb == "notifications") {
        using P = SimNotifications::Permission;
        const std::map<std::string, P> modes = {{"granted", P::Granted},
                                                {"denied", P::Denied},
                                                {"ask-grant", P::AskGrant},
                                                {"ask-deny", P::AskDeny}};
        sim_.notifications.setPermission(modes.at(c[1]));
    } else if (verb == "fail") {
        if (c[1] == "assertion")
            sim_.power.failNextAssertion();
        else if (c[1] == "hotkey")
            sim_.hotKeys.failNextRegistration();
        else if (c[1] == "login-item")
            sim_.loginItems.failNext(c[2]);
        else
            world.failEvents += static_cast<int>(std::min<long long>(
                *Scenario::wholeNumber(c[2]), std::numeric_limits<int>::max() - world.failEvents));
    } else {
        return "unknown command '" + verb + "'";
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioRunner::userInput(const Command& c) {
    SimWorld& world = sim_.world;
    if (c[1] == "move") {
        world.pointer = {*Scenario::number(c[2]), *Scenario::number(c[3])};
        sim_.events.userInput();
    } else if (c[1] == "key") {
        sim_.events.userInput();
    } else if (c[1] == "active") {
        world.activePeriods.emplace_back(micros(*Scenario::number(c[2])),
                                         micros(*Scenario::number(c[3])));
    } else {
        sim_.events.userInput();
        return runUi(c);
    }
    return std::nullopt;
}

std::optional<std::string> ScenarioRunner::runUi(const Command& c) {
    auto bad = ui_->run(c);
    // What the interface handed to the main loop runs now, as the loop's next turn would.
    sim_.runLoop.runUntil(sim_.micros());
    ui_->settle();
    if (ui_->takeQuitRequest() && delegate_)
        quit();
    return bad;
}

std::optional<std::string> ScenarioRunner::action(const Command& c) {
    if (!delegate_)
        return "action " + c[1] + " before launch";
    const ActionEntry& entry = actions().at(actionName(c[1]));
    entry.run(*delegate_, c.size() > 2 ? c[2] : std::string());
    sim_.runLoop.runUntil(sim_.micros());
    ui_->settle();
    return std::nullopt;
}

std::optional<std::string> ScenarioRunner::setSetting(const Command& c) {
    const std::string& type = c[2];
    const std::string& value = c[3];
    if (type == "bool")
        store_->putRaw(c[1], value == "true" || value == "yes" || value == "1");
    else if (type == "int")
        store_->putRaw(c[1], *Scenario::wholeNumber(value));
    else if (type == "double")
        store_->putRaw(c[1], *Scenario::number(value));
    else if (type == "string")
        store_->putRaw(c[1], value);
    else
        store_->putRawData(c[1], bytesOf(value));
    return std::nullopt;
}

void ScenarioRunner::schedule(const Command& c) {
    const Command inner = c.tail(2);
    const auto arrival =
        isUserInput(inner) ? SimRunLoop::Arrival::EvenWhileBlocked : SimRunLoop::Arrival::WhenFree;
    const std::int64_t at = std::max(sim_.micros(), micros(*Scenario::number(c[1])));
    sim_.runLoop.scheduleOutside(at, arrival, [this, inner] {
        if (auto bad = execute(inner); bad && !delayedError_)
            delayedError_ = ScenarioError{inner.line, *bad};
    });
}

void ScenarioRunner::launch() {
    // The store outlives the program, as the file on disk would.
    if (!sim_.platform().find<SettingsStore>())
        sim_.platform().provide(store_);
    delegate_ = std::make_unique<AppDelegate>();
    ui_->attach(*delegate_);
    delegate_->applicationDidFinishLaunching();
}

void ScenarioRunner::quit() {
    delegate_->applicationWillTerminate();
    ui_->detach();
    delegate_.reset();
    sim_.endProcess();
}

void ScenarioRunner::dumpSettings() {
    recordTrace("settings", {{"values", store_->snapshot()}});
}

} // namespace wigglet::sim
