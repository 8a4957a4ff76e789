#include "StandInUi.h"

#include "app/AppDelegate.h"
#include "platform/Platform.h"

namespace wigglet::sim {

void StandInUi::attach(AppDelegate& delegate) {
    delegate.setStatusMenu(this);
    delegate.setWindowPresenter(this);
}

void StandInUi::detach() {
    shown_.clear();
}

void StandInUi::show(const std::string& id, const nlohmann::ordered_json& fields) {
    shown_[id] = fields;
    recordTrace("window", {{"id", id}, {"action", "show"}, {"fields", fields}});
}

void StandInUi::showHelpWindow(const std::string& title) {
    show("helpWindowID", {{"mainLabel", title}});
}

void StandInUi::showAuthorizeWindow() {
    show("authorizeWindowID", nlohmann::ordered_json::object());
}

void StandInUi::showMainWindow() {
    show("mainWindow", nlohmann::ordered_json::object());
}

void StandInUi::showAboutWindow() {
    show("aboutWindowID", nlohmann::ordered_json::object());
}

void StandInUi::showPreferences() {
    show("preferences", nlohmann::ordered_json::object());
}

void StandInUi::showUntilDialog() {
    show("untilWindowID", nlohmann::ordered_json::object());
}

Problem StandInUi::dumpMenu() {
    return "'dump menu' needs the user interface, which this build lacks";
}

Problem StandInUi::dumpPrefs() {
    return "'dump prefs' needs the user interface, which this build lacks";
}

Problem StandInUi::dumpWindows() {
    nlohmann::ordered_json windows = nlohmann::ordered_json::array();
    for (const auto& [id, fields] : shown_)
        windows.push_back(
            nlohmann::ordered_json{{"id", id}, {"visible", true}, {"fields", fields}});
    recordTrace("windows", {{"windows", windows}});
    return std::nullopt;
}

Problem StandInUi::screenshot(const std::string&, const std::string&) {
    return "'screenshot' needs the user interface, which this build lacks";
}

} // namespace wigglet::sim
