#pragma once

#include "ui/WindowController.h"

#include <QPointer>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace wigglet {

class AppDelegate;

// The main window, for desktops without a tray: a header with the shaking switch, the time
// left and the menu's duration choices, then the menu's other items as controls. Like the
// menu, every control sends its action to the application delegate and mirrors the settings
// at each refresh; it decides nothing itself.
class MainWindowController final : public WindowController {
    Q_OBJECT

  public:
    explicit MainWindowController(AppDelegate& delegate);

    void refresh();

    // What the Quit button does; the user interface hands it the menu's Quit.
    std::function<void()> terminate;

  private:
    QWidget* buildHeader();
    QWidget* buildInputs();
    QWidget* buildButtons();
    QCheckBox* addSwitch(QWidget* parent, const char* name, const QString& title,
                         std::function<void()> action);

    AppDelegate& delegate_;
    QPointer<QCheckBox> shakingSwitch_;
    QPointer<QLabel> timeLeft_;
    QPointer<QComboBox> durations_;
    QPointer<QCheckBox> click_;
    QPointer<QCheckBox> scroll_;
    QPointer<QCheckBox> moveCursor_;
};

} // namespace wigglet
