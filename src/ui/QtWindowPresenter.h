#pragma once

#include "app/WindowPresenter.h"

#include <QPointer>
#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

class QWidget;

namespace wigglet {

class AppDelegate;
class AuthorizeWindowController;
class CustomShortcutSettings;
class HelpWindowController;
class MainWindowController;
class PreferencesWindowController;
class UntilDialog;

// Opens the program's windows for the application delegate: the preferences, Help and
// Authorize windows are made on first use and kept; an About window is made each time.
// Each window shown is written to the trace with what it shows.
class QtWindowPresenter final : public WindowPresenter {
  public:
    explicit QtWindowPresenter(AppDelegate& delegate);
    ~QtWindowPresenter() override;

    void showHelpWindow(const std::string& title) override;
    void showAuthorizeWindow() override;
    void showAboutWindow() override;
    void showPreferences() override;
    void showUntilDialog() override;
    void showMainWindow() override;

    // What the main window's Quit does.
    std::function<void()> quit;
    // Gives the preferences the desktop's pane (DesktopPreferencesPane); SHORTCUTS may be null.
    void addDesktopPane(bool trayless, CustomShortcutSettings* shortcuts, bool inputRoutes);

    PreferencesWindowController* preferencesController() const { return preferences_.get(); }
    HelpWindowController* helpController() const { return help_.get(); }
    AuthorizeWindowController* authorizeController() const { return authorize_.get(); }
    MainWindowController* mainController() const { return main_.get(); }

    struct Shown {
        std::string id;
        QPointer<QWidget> window;
    };
    // Every window made so far that still exists, with its identifier.
    std::vector<Shown> windows() const;
    // What a window shows, by outlet.
    static nlohmann::ordered_json fieldsOf(const std::string& id, const QWidget* window);

  private:
    static void traceShow(const std::string& id, const QWidget* window);

    AppDelegate& delegate_;
    std::unique_ptr<PreferencesWindowController> preferences_;
    std::unique_ptr<HelpWindowController> help_;
    std::unique_ptr<AuthorizeWindowController> authorize_;
    std::unique_ptr<UntilDialog> until_;
    std::unique_ptr<MainWindowController> main_;
    bool desktopPane_ = false;
    bool trayless_ = false;
    bool inputRoutes_ = false;
    CustomShortcutSettings* shortcuts_ = nullptr;
    std::vector<QPointer<QWidget>> about_;
};

} // namespace wigglet
