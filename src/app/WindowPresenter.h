#pragma once

#include <string>

namespace wigglet {

// Opens the program's windows; the user interface provides it. Each call activates the
// application and brings the window to the front.
class WindowPresenter {
  public:
    virtual ~WindowPresenter() = default;
    virtual void showHelpWindow(const std::string& title) = 0;
    virtual void showAuthorizeWindow() = 0;
    virtual void showAboutWindow() = 0;
    virtual void showPreferences() = 0;
    // Asks for the time of day a period is to end at; the answer goes to shakeUntil.
    virtual void showUntilDialog() {}
    // The window that does what the tray menu does, for desktops without a tray.
    virtual void showMainWindow() = 0;
};

} // namespace wigglet
