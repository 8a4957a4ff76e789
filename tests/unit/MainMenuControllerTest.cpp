#include "ui/MainMenuController.h"

#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "app/Links.h"
#include "system/ShortcutText.h"

#include <QMenu>
#include <QStringList>

namespace wigglet::test {

namespace {

class TrayMenu : public SimFixture {
  protected:
    ~TrayMenu() override { links::setAddresses(saved); }

    QStringList shownIn(const QMenu& menu) const {
        QStringList titles;
        for (const QAction* item : menu.actions())
            if (!item->isSeparator() && item->isVisible())
                titles << item->property(MainMenuController::titleProperty).toString();
        return titles;
    }

    LinkAddresses saved = links::addresses();
    AppDelegate delegate;
};

TEST_F(TrayMenu, OnlyTheGlobalShortcutIsShownBesideItsItems) {
    MainMenuController menu(QStringLiteral("Wigglet"), delegate);
    menu.refreshItems();
    const QString shortcut =
        QString::fromStdString(ShortcutText::of(GlobalKeybindPreferences::storedShortcut()));
    EXPECT_EQ(menu.timingIndefinitelyMenuItem->text(), "Indefinitely\t" + shortcut);
    int without = 0;
    for (const QAction* item : menu.actions()) {
        EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
        const QString title = item->property(MainMenuController::titleProperty).toString();
        if (!item->isSeparator() && item != menu.timeLeftMenuItem && item->text() == title)
            ++without;
    }
    // Shake, Click, Scroll, Move, Settings, More, Rate us, Quit: no key text beside them.
    EXPECT_EQ(without, 8);
}

TEST_F(TrayMenu, AnItemWithNoAddressIsHidden) {
    links::setAddresses({"https://w.test/", "", "", "", "help@w.test"});
    MainMenuController menu(QStringLiteral("Wigglet"), delegate);
    QMenu* more = nullptr;
    for (const QAction* item : menu.actions())
        if (item->menu() && item != menu.shakingMenuItem)
            more = item->menu();
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(shownIn(*more), (QStringList{"About", "Check for Updates", "Overview"}));
}

} // namespace

} // namespace wigglet::test
