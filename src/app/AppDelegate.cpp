#include "app/AppDelegate.h"

#include "app/Links.h"
#include "app/NotificationManager.h"
#include "app/RuleArbiter.h"
#include "app/ShakeChoices.h"
#include "app/ShakeTimer.h"
#include "app/StatusMenu.h"
#include "app/WindowPresenter.h"
#include "foundation/Localizer.h"
#include "foundation/PrefBroadcaster.h"
#include "foundation/SettingsStore.h"
#include "foundation/ShakeBroadcaster.h"
#include "platform/EventSource.h"
#include "platform/Platform.h"
#include "platform/PowerManagement.h"
#include "platform/PowerSources.h"
#include "platform/SessionLock.h"
#include "platform/Sleeper.h"
#include "platform/Workspace.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/IdleTime.h"
#include "system/NapperManager.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace wigglet {

namespace {

AppDelegate* currentDelegate = nullptr;

constexpr std::uint64_t kActivityOptions = 0x00EFFFFF;

SettingsStore& store() {
    return SettingsStore::shared();
}

// Each change reaches the disk before anything reacts to it.
void storeBool(SettingsKey key, bool value) {
    store().setBool(key, value);
    store().synchronize();
}

void storeInteger(SettingsKey key, std::int64_t value) {
    store().setInteger(key, value);
    store().synchronize();
}

std::string shortest(double value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

std::string dateDescription(std::optional<double> date) {
    if (!date)
        return "nil";
    const auto seconds = static_cast<std::time_t>(*date);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[40];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S +0000", &utc);
    return text;
}

void mainLine(const std::string& text) {
    if (AppDelegate::verbose)
        std::fprintf(stderr, "[Main] %s\n", text.c_str());
}

} // namespace

AppDelegate::AppDelegate() : arbiter_(std::make_unique<RuleArbiter>(*this)) {
    currentDelegate = this;
}

AppDelegate::~AppDelegate() {
    if (mainTimer)
        mainTimer->invalidate();
    if (currentDelegate == this)
        currentDelegate = nullptr;
}

AppDelegate* AppDelegate::current() {
    return currentDelegate;
}

void AppDelegate::applicationDidFinishLaunching() {
    Platform& platform = Platform::current();
    NapperManager::shared().activity =
        platform.power().beginActivity(kActivityOptions, "activity needs to be maintained");
    preferencesUpdated_ = NotificationCenter::defaultCenter().addObserver(
        PrefBroadcaster::preferencesUpdatedName, [this](const Notification&) { updateUI(); });
    if (store().integerForKey(SettingsKey::lastDurationSelected) != 0) {
        storeBool(SettingsKey::shakeEnabled, false);
    }
    installHotKey();
    updateUI();
    if (!store().boolForKey(SettingsKey::notFirstLaunch)) {
        storeBool(SettingsKey::notFirstLaunch, true);
        helpWindowWithTitle(localized("label-title-congrats"));
        storeBool(SettingsKey::moveCursorEnabled, true);
    }
    arbiter_->start();
}

void AppDelegate::installHotKey() {
    const GlobalKeybindPreferences record = GlobalKeybindPreferences::storedShortcut();
    auto replacement = std::make_unique<HotKey>(KeyCombo{record.keyCode, record.carbonFlags});
    hotKey = std::move(replacement);
    hotKey->keyDownHandler = [this] { switchIndefinitelyShake(); };
}

void AppDelegate::mainLoop() {
    RunLoop& loop = Platform::current().runLoop();
    const double startedAt = loop.now();
    if (store().boolForKey(SettingsKey::stopShakingBattery))
        lowBatteryCheck();

    double threshold = store().doubleForKey(SettingsKey::timeElapsedThreshold);
    if (!(threshold > 0))
        threshold = shakeChoices::defaultIdleThreshold;
    const double idle = secondsSinceLastInput();
    std::optional<double> elapsed;
    if (lastShake)
        elapsed = loop.date() - *lastShake;
    const bool spaced = !elapsed || threshold < *elapsed;

    if (elapsed && idle < *elapsed) {
        mainLine("last user activity: " + shortest(idle));
        userActivityDetected();
    }
    const bool paused = pausedByLock();
    const bool step = spaced && threshold < idle && !paused;
    traceTick(startedAt, idle, elapsed, step);
    if (step) {
        mainLine("user has been inactive for more than " + shortest(threshold) +
                 "s. last shake: " + dateDescription(lastShake));
        if (store().dimOption() != DimOption::off && !(brightnessManager.brightnessUserValue > 0))
            brightnessManager.dimDisplay();
        legacyUserActivity.maintain();
        mouse.shakeClick();
        switchTabStep();
        if (store().boolForKey(SettingsKey::scrollEnabled))
            mouse.shakeScroll(mouse.nextScrollDirection());
        mouse.shakeMove();
        lastShake = loop.date();
    }

    if (ShakeTimer::shared().timeLeft().isNegative())
        stopShakeAndUpdate();
    else
        refreshMenu();
}

bool AppDelegate::pausedByLock() {
    const bool paused = Platform::current().sessionLock().isLocked() &&
                        !store().boolForKey(SettingsKey::shakeWhileLocked);
    if (paused != pausedByLock_) {
        pausedByLock_ = paused;
        mainLine(paused ? "the session is locked: steps pause" : "steps resume");
        if (paused)
            recordTrace("pause", {{"reason", "locked"}});
        else
            recordTrace("resume");
    }
    return paused;
}

void AppDelegate::traceTick(double startedAt, double idle, std::optional<double> elapsed,
                            bool step) {
    Trace& trace = Platform::current().trace();
    if (!trace.ticksEnabled())
        return;
    Trace::Fields fields = {{"idle", idle}, {"elapsed", nullptr}, {"step", step}};
    if (elapsed)
        fields["elapsed"] = *elapsed;
    trace.writeAt(startedAt, "tick", fields);
}

void AppDelegate::userActivityDetected() {
    if (lastShake)
        mainLine("lastShake: " + shortest(*lastShake - Platform::current().runLoop().date()));
    ShakeBroadcaster::shared().broadcastInterruptedByUser();
    if (brightnessManager.brightnessUserValue > 0)
        brightnessManager.restoreBrightness();
}

void AppDelegate::applyShakeState() {
    const bool enabled = store().boolForKey(SettingsKey::shakeEnabled);
    if (!enabled) {
        if (mainTimer)
            mainTimer->invalidate();
        mainTimer.reset();
        NapperManager::shared().stopKeepAlive();
        brightnessManager.restoreBrightness();
        ShakeBroadcaster::shared().broadcastShakeChanged(false);
        return;
    }
    NapperManager::shared().startKeepAlive();
    if (!mainTimer)
        mainTimer =
            Platform::current().runLoop().scheduleTimer(LOOP_TIME, true, [this] { mainLoop(); });
    ShakeBroadcaster::shared().broadcastShakeChanged(true);
}

void AppDelegate::stopShakeAndUpdate() {
    storeBool(SettingsKey::shakeEnabled, false);
    if (ShakeTimer::shared().shakeForTimer)
        ShakeTimer::shared().cancel();
    updateUI();
    ShakeBroadcaster::shared().broadcastInterrupted();
}

void AppDelegate::shakeFor(std::int64_t minutes) {
    storeBool(SettingsKey::shakeEnabled, true);
    storeInteger(SettingsKey::lastDurationSelected, minutes);
    if (minutes >= 1) {
        ShakeTimer::shared().start(minutes);
        NotificationManager::shared().requestAuthorization();
    } else if (minutes == 0 && ShakeTimer::shared().shakeForTimer) {
        ShakeTimer::shared().cancel();
    }
    updateUI();
}

void AppDelegate::shakeUntil(double date) {
    const double seconds = date - Platform::current().runLoop().date();
    storeBool(SettingsKey::shakeEnabled, true);
    // Shake Previous repeats a period of the same length.
    storeInteger(SettingsKey::lastDurationSelected,
                 std::max<std::int64_t>(1, static_cast<std::int64_t>(std::ceil(seconds / 60.0))));
    ShakeTimer::shared().startUntil(date);
    NotificationManager::shared().requestAuthorization();
    updateUI();
}

void AppDelegate::shakePreviousClicked() {
    storeBool(SettingsKey::shakeEnabled, !store().boolForKey(SettingsKey::shakeEnabled));
    if (!store().boolForKey(SettingsKey::shakeEnabled)) {
        updateUI();
        return;
    }
    shakeFor(store().integerForKey(SettingsKey::lastDurationSelected));
}

void AppDelegate::switchIndefinitelyShake() {
    if (!store().boolForKey(SettingsKey::shakeEnabled)) {
        storeBool(SettingsKey::shakeEnabled, true);
        storeInteger(SettingsKey::lastDurationSelected, 0);
    } else {
        stopShakeAndUpdate();
    }
    updateUI();
}

void AppDelegate::shakeForCallback() {
    stopShakeAndUpdate();
    NotificationManager::shared().send(localized("shake-for-over-title"),
                                       localized("shake-for-over-descr"));
}

void AppDelegate::switchZen() {
    storeBool(SettingsKey::zenEnabled, !store().boolForKey(SettingsKey::zenEnabled));
    for (SettingsKey key :
         {SettingsKey::moveCursorEnabled, SettingsKey::clickEnabled, SettingsKey::scrollEnabled}) {
        storeBool(key, false);
    }
    refreshMenu();
}

void AppDelegate::switchMoveCursor() {
    storeBool(SettingsKey::moveCursorEnabled, !store().boolForKey(SettingsKey::moveCursorEnabled));
    refreshMenu();
}

bool AppDelegate::isPermitted() {
    if (Platform::current().events().mayPostEvents())
        return true;
    mouse.mouseControl.postMouseMovedInPlace();
    if (store().boolForKey(SettingsKey::clickSwitched))
        authorizeApp();
    storeBool(SettingsKey::clickSwitched, true);
    return false;
}

void AppDelegate::switchClick() {
    if (!isPermitted())
        return;
    storeBool(SettingsKey::clickEnabled, !store().boolForKey(SettingsKey::clickEnabled));
    refreshMenu();
}

void AppDelegate::switchScroll() {
    if (!isPermitted())
        return;
    storeBool(SettingsKey::scrollEnabled, !store().boolForKey(SettingsKey::scrollEnabled));
    refreshMenu();
}

void AppDelegate::updateUI() {
    updateStatusIcon();
    refreshMenu();
    applyShakeState();
    arbiter_->shakeStateApplied(store().boolForKey(SettingsKey::shakeEnabled));
}

void AppDelegate::updateStatusIcon() {
    const bool on = store().boolForKey(SettingsKey::shakeEnabled);
    const std::string name = std::string(on ? "statusOn" : "statusOff") + "_" +
                             std::to_string(store().integerForKey(SettingsKey::statusIconIndex));
    recordTrace("status-icon", {{"name", name}});
    if (mainMenu)
        mainMenu->setStatusImage(name);
}

void AppDelegate::refreshMenu() {
    if (mainMenu)
        mainMenu->refreshItems();
    for (const auto& listener : refreshListeners_)
        listener();
}

void AppDelegate::switchTabStep() {
    if (!tabSwitcher.switchTabIfDue())
        return;
    if (!store().boolForKey(SettingsKey::tabScrollTopEnabled))
        return;
    for (int i = 0; i < 7; ++i) {
        mouse.mouseControl.simulateSmoothScrollWithDistance(4700, 0.72);
        Platform::current().sleeper().sleepMicroseconds(40000);
    }
    mouse.upDownScrollCountCycles = 0;
    mouse.upDownScrollDir = ScrollDirection::DOWN;
}

void AppDelegate::lowBatteryCheck() {
    const std::optional<int> charge = batteryManager.currentCapacity();
    if (Platform::current().powerSources().externalAdapterAttached())
        return;
    if (!charge)
        return;
    if (*charge > store().integerForKey(SettingsKey::batteryLevelThreshold))
        return;
    stopShakeAndUpdate();
    arbiter_->stoppedByBattery();
    NotificationManager::shared().send(localized("notification-stop-battery-low-title"),
                                       localized("notification-stop-battery-low-description"));
}

void AppDelegate::showPreferences() {
    if (windows_)
        windows_->showPreferences();
}

void AppDelegate::askShakeUntil() {
    if (windows_)
        windows_->showUntilDialog();
}

void AppDelegate::showMainWindow() {
    if (windows_)
        windows_->showMainWindow();
}

void AppDelegate::infos() {
    if (windows_)
        windows_->showAboutWindow();
}

void AppDelegate::overview() {
    helpWindowWithTitle(localized("window-title-features"));
}

void AppDelegate::helpWindowWithTitle(const std::string& title) {
    if (windows_)
        windows_->showHelpWindow(title);
}

void AppDelegate::authorizeApp() {
    mouse.mouseControl.postMouseMovedInPlace();
    if (windows_)
        windows_->showAuthorizeWindow();
}

void AppDelegate::faq() {
    Platform::current().workspace().openUrl(links::addresses().faq);
}

void AppDelegate::sendFeedback() {
    Platform::current().workspace().openUrl(links::addresses().feedback);
}

void AppDelegate::rate() {
    Platform::current().workspace().openUrl(links::softwareCentre);
}

void AppDelegate::checkOurSoftwareClicked() {
    Platform::current().workspace().openUrl(links::addresses().makerSite);
}

void AppDelegate::checkForUpdates() {
    Platform::current().workspace().checkForUpdates();
}

} // namespace wigglet
