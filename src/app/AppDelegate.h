#pragma once

#include "input/Mouse.h"
#include "input/TabSwitcher.h"
#include "platform/RunLoop.h"
#include "system/BatteryManager.h"
#include "system/BrightnessManager.h"
#include "system/HotKey.h"
#include "system/LegacyUserActivity.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace wigglet {

class RuleArbiter;
class StatusMenu;
class WindowPresenter;

// The root object: owns the long-lived components, runs the launch sequence and the
// one-second main loop, and switches shaking on and off. The settings store is the truth;
// every routine writes it first and then brings the running system into line.
class AppDelegate {
  public:
    AppDelegate();
    ~AppDelegate();
    AppDelegate(const AppDelegate&) = delete;
    AppDelegate& operator=(const AppDelegate&) = delete;

    // The delegate of the running program, if any.
    static AppDelegate* current();

    // The user interface, wired by the host before launch; absent parts do nothing.
    void setStatusMenu(StatusMenu* menu) { mainMenu = menu; }
    void setWindowPresenter(WindowPresenter* presenter) { windows_ = presenter; }

    void applicationDidFinishLaunching();
    void applicationWillTerminate() {}
    void mainLoop();
    void userActivityDetected();

    // Shake control.
    void applyShakeState();
    void stopShakeAndUpdate();
    void shakeFor(std::int64_t minutes);
    // A timed period that ends at a wall-clock date.
    void shakeUntil(double date);
    // The menu's Until… item: asks for the end.
    void askShakeUntil();
    void shakeForClickedWithSender(std::int64_t tag) { shakeFor(tag); }
    void shakePreviousClicked();
    void switchIndefinitelyShake();
    void shakeForCallback();
    void switchZen();
    void switchMoveCursor();
    void switchClick();
    void switchScroll();
    void updateUI();
    void updateStatusIcon();

    void switchTabStep();
    void lowBatteryCheck();
    // Called after every refresh of the menu, which follows every change of state.
    void addRefreshListener(std::function<void()> listener) {
        refreshListeners_.push_back(std::move(listener));
    }
    // Replaces the global shortcut by the stored one; the new one is registered before the
    // old one is released.
    void installHotKey();
    // Starts and stops shaking by the rules and the holds of scripts.
    RuleArbiter& arbiter() { return *arbiter_; }

    // Windows and links.
    void showPreferences();
    void showMainWindow();
    void infos();
    void overview();
    void helpWindowWithTitle(const std::string& title);
    void authorizeApp();
    void faq();
    void sendFeedback();
    void rate();
    void checkOurSoftwareClicked();
    void checkForUpdates();

    // Writes the "[Main] " diagnostic lines to standard error.
    static inline bool verbose = false;

    const double LOOP_TIME = 1.0;
    std::optional<double> lastShake;
    std::shared_ptr<Timer> mainTimer;
    LegacyUserActivity legacyUserActivity;
    BrightnessManager brightnessManager;
    Mouse mouse;
    TabSwitcher tabSwitcher;
    BatteryManager batteryManager;
    StatusMenu* mainMenu = nullptr;
    std::unique_ptr<HotKey> hotKey;

  private:
    bool isPermitted();
    void refreshMenu();
    // Whether steps wait for the session to be unlocked; a change is traced once.
    bool pausedByLock();
    void traceTick(double startedAt, double idle, std::optional<double> elapsed, bool step);

    WindowPresenter* windows_ = nullptr;
    bool pausedByLock_ = false;
    std::unique_ptr<RuleArbiter> arbiter_;
    std::vector<std::function<void()>> refreshListeners_;
    NotificationCenter::Observation preferencesUpdated_;
};

} // namespace wigglet
