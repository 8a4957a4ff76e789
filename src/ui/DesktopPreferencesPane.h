#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace wigglet {

class AppDelegate;
class CustomShortcutSettings;

// The preferences pane of what depends on the desktop: the notification while shaking and,
// where the desktop lets no program register a shortcut but keeps custom ones in its own
// settings, the button that adds Wigglet's shortcut there (and removes it); where GNOME's own
// remote-desktop interface is there, the choice between it and the portal for input. The
// program adds the pane; the simulation has none.
class DesktopPreferencesPane final : public QWidget {
    Q_OBJECT

  public:
    // SHORTCUTS may be null: then the pane offers no shortcut button.
    DesktopPreferencesPane(AppDelegate& delegate, bool trayless, CustomShortcutSettings* shortcuts,
                           bool inputRoutes = false, QWidget* parent = nullptr);

    // Asks the user before the desktop's settings are changed; a dialog by default.
    std::function<bool(const QString& question)> confirm;

    void refresh();

  private:
    void shortcutClicked();
    void addInputRoutes(QLayout& column);

    AppDelegate& delegate_;
    bool trayless_;
    CustomShortcutSettings* shortcuts_;
    QPointer<QCheckBox> notification_;
    QPointer<QLabel> shortcutText_;
    QPointer<QPushButton> shortcutButton_;
    QPointer<QComboBox> inputRoute_;
};

} // namespace wigglet
