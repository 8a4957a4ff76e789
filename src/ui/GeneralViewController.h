#pragma once

#include "platform/KeyDown.h"

#include <QObject>
#include <QPointer>

class QAbstractButton;
class QComboBox;
class QLabel;
class QWidget;

namespace wigglet {

class AppDelegate;
struct GlobalKeybindPreferences;
class OneClickButton;
class SettingsBinder;

// The General pane: idle threshold, display dimming, battery stop, launch at login, status
// icon and the global shortcut, which it records from the next acceptable key combination.
// Each control writes its setting as soon as it changes; the pane reloads them whenever it is
// shown. The recording and idle looks are applied on the next turn of the main loop.
class GeneralViewController final : public QObject {
    Q_OBJECT

  public:
    GeneralViewController(QWidget* view, AppDelegate& delegate);

    void viewDidAppear();

    // Actions.
    void shakeFrequencyChange();
    void dimLightChange();
    void batteryLevelChange();
    void stopShakingBatteryChange();
    void statusIconChanged();
    void launchAtLoginChange();
    void registerHotkeyChange();
    void clearButtonTriggered();
    void resetShortcutTriggered();

    // A key-down event while recording: Escape cancels, an acceptable combination is stored.
    void keyDown(const KeyDown& event);
    bool isListening() const { return listening; }

    static constexpr int idleShortcutWidth = 160;
    static constexpr int recordingShortcutWidth = 170;
    // Room beside the text for the button's rounded frame.
    static constexpr int shortcutTextPadding = 24;

    QPointer<QWidget> view;
    int widthShortcutConstraint = idleShortcutWidth;
    QPointer<QAbstractButton> cancelButton;
    // Shown while the stored shortcut is not the one Wigglet starts with.
    QPointer<QAbstractButton> resetShortcutButton;
    QPointer<OneClickButton> shortcutButton;
    QPointer<QComboBox> shakeFrequencyButton;
    QPointer<QComboBox> dimLightButton;
    QPointer<QComboBox> batteryLevelThresholdButton;
    QPointer<QAbstractButton> stopShakingBatteryButton;
    QPointer<QWidget> frequencyWarning;
    QPointer<QAbstractButton> launchAtLoginButton;
    QPointer<QComboBox> statusIconChooser;
    // Where the desktop lets no program register shortcuts: how to bind the stored one there.
    QPointer<QLabel> shortcutAdvice;
    bool listening = false;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void updateFrequencyWarning();
    void showStoredShortcut();
    void showShortcutAdvice();
    void endRecording();
    void useShortcut(const GlobalKeybindPreferences& record);
    void scheduleLook(bool recording);
    void applyLook(bool recording);

    AppDelegate& delegate_;
    SettingsBinder* binder_;
};

} // namespace wigglet
