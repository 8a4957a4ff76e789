#pragma once

#include "app/StatusMenu.h"

#include <QMenu>
#include <cstdint>
#include <functional>
#include <string>

namespace wigglet {

class AppDelegate;

// The status menu, built once and never rebuilt: shaking for a duration or indefinitely, the
// three input kinds, the time-left line, preferences, the information windows and links.
// Each refresh re-reads the settings for the check marks, the shortcut shown beside
// "Indefinitely" and the time-left line. Every item but the time-left line sends its action
// to the application delegate, which owns the behaviour. Each item carries what the platform
// menu would: a tag, a key equivalent with its modifier flags and an image name (properties);
// only the global shortcut is shown beside its items, the others cannot reach a tray menu.
class MainMenuController final : public QMenu, public StatusMenu {
    Q_OBJECT

  public:
    MainMenuController(const QString& title, AppDelegate& delegate, QWidget* parent = nullptr);

    void refreshItems() override;
    void setStatusImage(const std::string& name) override;

    // The menu is about to open.
    void menuWillOpen();
    void timeLeftClicked();

    // What the Quit item does; by default it ends the application's event loop.
    std::function<void()> terminate;

    // A timed shake's title: "5 minutes", "1 hour", "2 hours".
    static QString durationTitle(int minutes);
    // The preferences title by system version.
    static QString preferencesTitle();
    // "Wigglet Preferences"; the item's title where the platform titles windows so.
    static QString preferencesWindowTitle();

    static constexpr const char* SEPARATOR_IDX = "separator";
    static constexpr const char* tagProperty = "tag";
    static constexpr const char* keyProperty = "keyEquivalent";
    static constexpr const char* modifiersProperty = "keyEquivalentModifierMask";
    static constexpr const char* imageProperty = "imageName";
    static constexpr const char* titleProperty = "title";
    static constexpr const char* shownKeyProperty = "shownKeyEquivalent";

    QAction* shakingMenuItem = nullptr;
    QAction* clickMenuItem = nullptr;
    QAction* moveCursorMenuItem = nullptr;
    QAction* scrollMenuItem = nullptr;
    QAction* timingIndefinitelyMenuItem = nullptr;
    QAction* timeLeftMenuItem = nullptr;

  private:
    QAction* addItem(QMenu* menu, const QString& title, std::function<void()> action, int tag = 0);
    QMenu* buildTimingMenu();
    QMenu* buildHelpMenu();
    // The time-left line of an untimed period: what holds it on, and until when.
    QString heldTitle();
    static void setTitle(QAction* item, const QString& title);
    // SHOWN is the text beside the title; empty for an equivalent the tray cannot receive.
    static void setKeyEquivalent(QAction* item, const std::string& characters,
                                 std::uint64_t modifierFlags, const std::string& shown);

    AppDelegate& delegate_;
};

} // namespace wigglet
