#include "ui/GeneralViewController.h"

#include "app/AppDelegate.h"
#include "app/NotificationManager.h"
#include "app/ShakeChoices.h"
#include "app/StatusMenu.h"
#include "foundation/Localizer.h"
#include "foundation/PrefBroadcaster.h"
#include "foundation/SettingsStore.h"
#include "platform/HotKeyService.h"
#include "platform/Platform.h"
#include "platform/RunLoop.h"
#include "platform/SystemInfo.h"
#include "platform/VirtualKeys.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/HotKey.h"
#include "system/HotKeysController.h"
#include "system/LaunchAtLogin.h"
#include "system/ShortcutText.h"
#include "ui/MainMenuController.h"
#include "ui/OneClickButton.h"
#include "ui/SettingsBinder.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <array>
#include <charconv>

namespace wigglet {

namespace {

constexpr int kDefaultBatteryTitle = 5;

SettingsStore& store() {
    return SettingsStore::shared();
}

QString storedDescription() {
    return QString::fromStdString(ShortcutText::of(GlobalKeybindPreferences::storedShortcut()));
}

int thresholdIndex(double seconds) {
    for (std::size_t i = 1; i < shakeChoices::idleThresholds.size(); ++i)
        if (seconds == shakeChoices::idleThresholds[i])
            return static_cast<int>(i);
    return 0;
}

// In the user's language, around the line to paste, which stays as the desktop reads it.
QString adviceText(const BindingAdvice& advice) {
    const Localizer& texts = Localizer::shared();
    if (advice.line.empty())
        return QString::fromStdString(texts.string("shortcut-advice-settings"));
    return QString::fromStdString(
        texts.format("shortcut-advice-configuration", {advice.desktop, advice.configurationFile}) +
        "\n" + advice.line);
}

std::optional<int> parsePercent(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || value < 0 || value > 100)
        return std::nullopt;
    return value;
}

} // namespace

GeneralViewController::GeneralViewController(QWidget* pane, AppDelegate& delegate)
    : QObject(pane), view(pane), cancelButton(pane->findChild<QAbstractButton*>("cancelButton")),
      resetShortcutButton(pane->findChild<QAbstractButton*>("resetShortcutButton")),
      shortcutButton(pane->findChild<OneClickButton*>("shortcutButton")),
      shakeFrequencyButton(pane->findChild<QComboBox*>("shakeFrequencyButton")),
      dimLightButton(pane->findChild<QComboBox*>("dimLightButton")),
      batteryLevelThresholdButton(pane->findChild<QComboBox*>("batteryLevelThresholdButton")),
      stopShakingBatteryButton(pane->findChild<QAbstractButton*>("stopShakingBatteryButton")),
      frequencyWarning(pane->findChild<QWidget*>("frequencyWarning")),
      launchAtLoginButton(pane->findChild<QAbstractButton*>("launchAtLogin")),
      statusIconChooser(pane->findChild<QComboBox*>("statusIconIndex")),
      shortcutAdvice(pane->findChild<QLabel*>("shortcutAdvice")), delegate_(delegate),
      binder_(new SettingsBinder(pane)) {
    auto onPick = [this](QComboBox* popUp, void (GeneralViewController::*action)()) {
        if (popUp)
            connect(popUp, &QComboBox::activated, this, action);
    };
    auto onClick = [this](QAbstractButton* button, void (GeneralViewController::*action)()) {
        if (button)
            connect(button, &QAbstractButton::clicked, this, action);
    };
    onPick(shakeFrequencyButton, &GeneralViewController::shakeFrequencyChange);
    onPick(dimLightButton, &GeneralViewController::dimLightChange);
    onPick(batteryLevelThresholdButton, &GeneralViewController::batteryLevelChange);
    onPick(statusIconChooser, &GeneralViewController::statusIconChanged);
    onClick(stopShakingBatteryButton, &GeneralViewController::stopShakingBatteryChange);
    onClick(launchAtLoginButton, &GeneralViewController::launchAtLoginChange);
    onClick(shortcutButton, &GeneralViewController::registerHotkeyChange);
    onClick(cancelButton, &GeneralViewController::clearButtonTriggered);
    onClick(resetShortcutButton, &GeneralViewController::resetShortcutTriggered);
    if (shortcutButton)
        shortcutButton->setFixedWidth(widthShortcutConstraint);
    pane->installEventFilter(this);
}

bool GeneralViewController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view && event->type() == QEvent::Show)
        viewDidAppear();
    return false;
}

void GeneralViewController::viewDidAppear() {
    view->window()->setWindowTitle(MainMenuController::preferencesWindowTitle());
    if (cancelButton)
        cancelButton->hide();
    if (shakeFrequencyButton)
        shakeFrequencyButton->setCurrentIndex(
            thresholdIndex(store().doubleForKey(SettingsKey::timeElapsedThreshold)));
    if (dimLightButton) {
        dimLightButton->setCurrentIndex(static_cast<int>(store().dimOption()));
    }
    if (batteryLevelThresholdButton) {
        const auto threshold = store().integerForKey(SettingsKey::batteryLevelThreshold);
        const auto title = threshold >= 1 ? threshold : kDefaultBatteryTitle;
        batteryLevelThresholdButton->setCurrentIndex(
            batteryLevelThresholdButton->findText(QString::number(title)));
    }
    const bool stopOnBattery = store().boolForKey(SettingsKey::stopShakingBattery);
    if (batteryLevelThresholdButton)
        batteryLevelThresholdButton->setEnabled(stopOnBattery);
    if (stopShakingBatteryButton)
        stopShakingBatteryButton->setChecked(stopOnBattery);
    showStoredShortcut();
    updateFrequencyWarning();
    binder_->load();
    if (launchAtLoginButton)
        launchAtLoginButton->setChecked(LaunchAtLogin::isEnabled());
}

void GeneralViewController::updateFrequencyWarning() {
    if (!frequencyWarning)
        return;
    const double threshold = store().doubleForKey(SettingsKey::timeElapsedThreshold);
    frequencyWarning->setVisible(threshold > 0 && threshold == shakeChoices::longestIdleThreshold);
}

void GeneralViewController::showStoredShortcut() {
    if (shortcutButton)
        shortcutButton->setText(storedDescription());
    if (resetShortcutButton)
        resetShortcutButton->setVisible(!listening && GlobalKeybindPreferences::storedShortcut() !=
                                                          GlobalKeybindPreferences{});
    showShortcutAdvice();
}

void GeneralViewController::showShortcutAdvice() {
    if (!shortcutAdvice)
        return;
    const GlobalKeybindPreferences stored = GlobalKeybindPreferences::storedShortcut();
    const auto advice =
        Platform::current().hotKeys().bindingAdvice(stored.keyCode, stored.carbonFlags);
    QString text = advice ? adviceText(*advice) : QString();
    if (!advice && delegate_.hotKey && !HotKeysController::shared().isGrabbed(*delegate_.hotKey))
        text = QString::fromStdString(Localizer::shared().format(
            "prefs-shortcut-taken", {storedDescription().toStdString()}));
    shortcutAdvice->setText(text);
    shortcutAdvice->setVisible(!text.isEmpty());
}

void GeneralViewController::shakeFrequencyChange() {
    const int index = shakeFrequencyButton->currentIndex();
    const auto& choices = shakeChoices::idleThresholds;
    const double seconds = index >= 1 && index < static_cast<int>(choices.size())
                               ? choices[index]
                               : shakeChoices::defaultIdleThreshold;
    store().setDouble(SettingsKey::timeElapsedThreshold, seconds);
    store().synchronize();
    updateFrequencyWarning();
}

void GeneralViewController::dimLightChange() {
    const int index = dimLightButton->currentIndex();
    store().setDimOption(dimOptionFrom(index));
    store().synchronize();
}

void GeneralViewController::batteryLevelChange() {
    const std::string title = batteryLevelThresholdButton->currentText().toStdString();
    if (title.empty())
        return;
    const auto percent = parsePercent(title);
    if (!percent)
        return;
    store().setInteger(SettingsKey::batteryLevelThreshold, *percent);
    store().synchronize();
}

void GeneralViewController::stopShakingBatteryChange() {
    store().setBool(SettingsKey::stopShakingBattery, stopShakingBatteryButton->isChecked());
    store().synchronize();
    if (batteryLevelThresholdButton)
        batteryLevelThresholdButton->setEnabled(
            store().boolForKey(SettingsKey::stopShakingBattery));
    if (Platform::current().system().operatingSystemVersion().atLeast(10, 14))
        NotificationManager::shared().requestAuthorization();
}

void GeneralViewController::statusIconChanged() {
    PrefBroadcaster::shared().broadcast();
}

void GeneralViewController::launchAtLoginChange() {
    LaunchAtLogin::setEnabled(launchAtLoginButton->isChecked());
    launchAtLoginButton->setChecked(LaunchAtLogin::isEnabled());
}

void GeneralViewController::registerHotkeyChange() {
    listening = true;
    scheduleLook(true);
    if (QWidget* focus = view->window()->focusWidget())
        focus->clearFocus();
}

void GeneralViewController::clearButtonTriggered() {
    endRecording();
}

void GeneralViewController::endRecording() {
    listening = false;
    scheduleLook(false);
    showStoredShortcut();
}

void GeneralViewController::keyDown(const KeyDown& event) {
    if (!listening)
        return;
    if (event.keyCode == virtualKey::escape) {
        endRecording();
        return;
    }
    const auto record = GlobalKeybindPreferences::fromKeyEvent(event.keyCode, event.characters,
                                                               event.modifierFlags);
    if (!record)
        return;
    listening = false;
    useShortcut(*record);
    scheduleLook(false);
}

void GeneralViewController::resetShortcutTriggered() {
    useShortcut(GlobalKeybindPreferences{});
}

void GeneralViewController::useShortcut(const GlobalKeybindPreferences& record) {
    GlobalKeybindPreferences::setStoredShortcut(record);
    if (delegate_.mainMenu)
        delegate_.mainMenu->refreshItems();
    delegate_.installHotKey();
    // After the registration, which tells whether another program holds the combination.
    showStoredShortcut();
}

void GeneralViewController::scheduleLook(bool recording) {
    Platform::current().runLoop().dispatchAsync(
        [pane = QPointer<GeneralViewController>(this), recording] {
            if (pane)
                pane->applyLook(recording);
        });
}

void GeneralViewController::applyLook(bool recording) {
    widthShortcutConstraint = recording ? recordingShortcutWidth : idleShortcutWidth;
    if (shortcutButton) {
        shortcutButton->highlight(recording);
        if (recording)
            shortcutButton->setText(QString::fromStdString(localized("button-type-new-shortcut")));
        shortcutButton->setUserInteractionEnabled(!recording);
        // A translated prompt may be longer than the width the pane was drawn for.
        const int textWidth =
            shortcutButton->fontMetrics().horizontalAdvance(shortcutButton->text()) +
            shortcutTextPadding;
        shortcutButton->setFixedWidth(std::max(widthShortcutConstraint, textWidth));
    }
    if (cancelButton)
        cancelButton->setVisible(recording);
    if (resetShortcutButton && recording)
        resetShortcutButton->hide();
}

} // namespace wigglet
