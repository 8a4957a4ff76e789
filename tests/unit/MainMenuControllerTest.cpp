#include "ui/MainMenuController.h"

#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "app/Links.h"
#include "app/ShakeTimer.h"
#include "foundation/Localizer.h"
#include "system/ShortcutText.h"
#include "ui/MenuManager.h"

#include <QMenu>
#include <QStringList>
#include <QSystemTrayIcon>

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

TEST_F(TrayMenu, OnlyTheGlobalShortcutIsShownBesideItsItemsAndTheToolTipTellsTheState) {
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

    // The tray's tool tip tells the state and the time left.
    EXPECT_EQ(MenuManager::shared().statusItem().toolTip(), "Wigglet — Not shaking");
    delegate.shakeFor(30);
    advance(90);
    menu.refreshItems();
    const QString timed = MenuManager::shared().statusItem().toolTip();
    EXPECT_TRUE(timed.startsWith("Wigglet — Shaking: 28m ")) << timed.toStdString();
    EXPECT_EQ(timed,
              "Wigglet — " +
                  menu.timeLeftMenuItem->property(MainMenuController::titleProperty).toString());
    delegate.shakeFor(0);
    menu.refreshItems();
    EXPECT_EQ(MenuManager::shared().statusItem().toolTip(), "Wigglet — Shaking Indefinitely...");
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

TEST_F(TrayMenu, InTheUsersLanguageTheItemsAndTheTimeLeftAreTranslated) {
    sim.platform().provide(std::make_shared<Localizer>(Localizer::forLanguages({"de"})));
    MainMenuController menu(QStringLiteral("Wigglet"), delegate);
    EXPECT_EQ(shownIn(menu).mid(0, 4), (QStringList{"Wackeln", "Klicken", "Scrollen", "Bewegen"}));
    EXPECT_EQ(shownIn(*menu.shakingMenuItem->menu()).mid(0, 6),
              (QStringList{"Unbegrenzt", "5 Minuten", "10 Minuten", "30 Minuten", "1 Stunde",
                           "2 Stunden"}));

    store->setBool(SettingsKey::shakeEnabled, true);
    store->setInteger(SettingsKey::lastDurationSelected, 90);
    ShakeTimer::shared().start(90);
    menu.refreshItems();
    EXPECT_EQ(menu.timeLeftMenuItem->property(MainMenuController::titleProperty).toString(),
              "Wackeln: 01 h 29 min");
}

} // namespace

} // namespace wigglet::test
