#include "DelegateActions.h"

#include "app/AppDelegate.h"
#include "app/LocalClock.h"
#include "platform/Platform.h"

#include <functional>
#include <map>

namespace wigglet::sim {

namespace {

using ActionFn = std::function<void(AppDelegate&, const std::string&)>;

struct ActionEntry {
    enum class Arg { None, Whole, Text, TimeOfDay } arg;
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
        {"shakeUntil",
         {ActionEntry::Arg::TimeOfDay,
          [](AppDelegate& d, const std::string& a) {
              const double now = Platform::current().runLoop().date();
              d.shakeUntil(LocalClock::nextInstantOf(*LocalClock::parseTimeOfDay(a), now));
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
        {"showMainWindow", plain(&AppDelegate::showMainWindow)},
        {"infos", plain(&AppDelegate::infos)},
        {"overview", plain(&AppDelegate::overview)},
        {"faq", plain(&AppDelegate::faq)},
        {"sendFeedback", plain(&AppDelegate::sendFeedback)},
        {"rate", plain(&AppDelegate::rate)},
        {"checkOurSoftwareClicked", plain(&AppDelegate::checkOurSoftwareClicked)},
        {"checkForUpdates", plain(&AppDelegate::checkForUpdates)},
        {"authorizeApp", plain(&AppDelegate::authorizeApp)},
        {"askShakeUntil", plain(&AppDelegate::askShakeUntil)},
    };
    return table;
}

// Toolkit selectors end in a colon; the scenario may write them either way.
std::string actionName(std::string name) {
    if (!name.empty() && name.back() == ':')
        name.pop_back();
    return name;
}

} // namespace

Problem checkDelegateAction(const Command& c) {
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
    if (arg == ActionEntry::Arg::TimeOfDay && !LocalClock::parseTimeOfDay(c[2]))
        return "bad time of day '" + c[2] + "' (HH:MM)";
    return std::nullopt;
}

void runDelegateAction(AppDelegate& delegate, const Command& c) {
    actions().at(actionName(c[1])).run(delegate, c.size() > 2 ? c[2] : std::string());
}

} // namespace wigglet::sim
