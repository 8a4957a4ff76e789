#include "ui/QtWindowPresenter.h"

#include "app/AppDelegate.h"
#include "foundation/Localizer.h"
#include "platform/Platform.h"
#include "ui/AboutWindowController.h"
#include "ui/AuthorizeWindowController.h"
#include "ui/DesktopPreferencesPane.h"
#include "ui/HelpViewController.h"
#include "ui/HelpWindowController.h"
#include "ui/MainWindowController.h"
#include "ui/PreferencesWindowController.h"
#include "ui/UntilDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

namespace wigglet {

namespace {

std::string textOf(const QWidget* window, const char* outlet) {
    const auto* label = window->findChild<QLabel*>(outlet);
    return label ? label->text().toStdString() : std::string();
}

bool checkedIn(const QWidget* window, const char* outlet) {
    const auto* box = window->findChild<QCheckBox*>(outlet);
    return box && box->isChecked();
}

// The main window's header and switches, as the user sees them.
void describeMainWindow(const QWidget* window, nlohmann::ordered_json& fields) {
    fields["shakingSwitch"] = checkedIn(window, "shakingSwitch");
    fields["timeLeftLabel"] = textOf(window, "timeLeftLabel");
    const auto* durations = window->findChild<QComboBox*>("durationChoice");
    fields["durationChoice"] = durations ? durations->currentText().toStdString() : "";
    for (const char* outlet : {"clickSwitch", "scrollSwitch", "moveCursorSwitch"})
        fields[outlet] = checkedIn(window, outlet);
}

} // namespace

QtWindowPresenter::QtWindowPresenter(AppDelegate& delegate) : delegate_(delegate) {}

QtWindowPresenter::~QtWindowPresenter() {
    for (const auto& window : about_)
        delete window.data();
}

nlohmann::ordered_json QtWindowPresenter::fieldsOf(const std::string& id, const QWidget* window) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::object();
    if (id == "helpWindowID") {
        fields["mainLabel"] = textOf(window, "mainLabel");
    } else if (id == "aboutWindowID") {
        fields["versionTextField"] = textOf(window, "versionTextField");
        fields["copyrightTextField"] = textOf(window, "copyrightTextField");
    } else if (id == "untilWindowID") {
        fields["time"] = static_cast<const UntilDialog*>(window)->timeText().toStdString();
    } else if (id == "mainWindow") {
        describeMainWindow(window, fields);
    } else if (id == "preferences") {
        fields["title"] = window->windowTitle().toStdString();
    }
    return fields;
}

void QtWindowPresenter::traceShow(const std::string& id, const QWidget* window) {
    recordTrace("window", {{"id", id}, {"action", "show"}, {"fields", fieldsOf(id, window)}});
}

void QtWindowPresenter::showHelpWindow(const std::string& title) {
    if (!help_)
        help_ = HelpWindowController::instantiate();
    if (!help_)
        return;
    if (auto* label = help_->contentViewController()->mainLabel.data())
        label->setText(QString::fromStdString(title));
    help_->showWindow();
    traceShow("helpWindowID", help_->window());
}

void QtWindowPresenter::showAuthorizeWindow() {
    if (!authorize_)
        authorize_ = AuthorizeWindowController::instantiate();
    if (!authorize_)
        return;
    authorize_->showWindow();
    traceShow("authorizeWindowID", authorize_->window());
}

void QtWindowPresenter::showAboutWindow() {
    AboutWindowController* about = AboutWindowController::instantiate();
    if (!about)
        return;
    std::erase_if(about_, [](const auto& window) { return window.isNull(); });
    about_.emplace_back(about->window());
    about->showWindow();
    traceShow("aboutWindowID", about->window());
}

void QtWindowPresenter::addDesktopPane(bool trayless, CustomShortcutSettings* shortcuts,
                                       bool inputRoutes) {
    desktopPane_ = true;
    trayless_ = trayless;
    shortcuts_ = shortcuts;
    inputRoutes_ = inputRoutes;
}

void QtWindowPresenter::showPreferences() {
    if (!preferences_) {
        preferences_ = PreferencesWindowController::instantiate(delegate_);
        if (preferences_ && desktopPane_)
            preferences_->tabView()->addTab(
                new DesktopPreferencesPane(delegate_, trayless_, shortcuts_, inputRoutes_),
                QString::fromStdString(localized("prefs-tab-desktop")));
    }
    if (!preferences_)
        return;
    preferences_->showWindow();
    traceShow("preferences", preferences_->window());
}

void QtWindowPresenter::showUntilDialog() {
    if (!until_)
        until_ = std::make_unique<UntilDialog>(delegate_);
    until_->propose();
    until_->show();
    until_->raise();
    until_->activateWindow();
    traceShow("untilWindowID", until_.get());
}

void QtWindowPresenter::showMainWindow() {
    if (!main_) {
        main_ = std::make_unique<MainWindowController>(delegate_);
        main_->terminate = [this] {
            if (quit)
                quit();
        };
        delegate_.addRefreshListener([window = QPointer<MainWindowController>(main_.get())] {
            if (window)
                window->refresh();
        });
    }
    main_->refresh();
    main_->showWindow();
    traceShow("mainWindow", main_->window());
}

std::vector<QtWindowPresenter::Shown> QtWindowPresenter::windows() const {
    std::vector<Shown> shown;
    if (main_)
        shown.push_back({"mainWindow", main_->window()});
    if (preferences_)
        shown.push_back({"preferences", preferences_->window()});
    if (help_)
        shown.push_back({"helpWindowID", help_->window()});
    if (authorize_)
        shown.push_back({"authorizeWindowID", authorize_->window()});
    for (const auto& window : about_)
        if (window)
            shown.push_back({"aboutWindowID", window});
    if (until_)
        shown.push_back({"untilWindowID", until_.get()});
    return shown;
}

} // namespace wigglet
