#include "ui/MainMenuController.h"

#include "app/AppDelegate.h"
#include "app/Links.h"
#include "app/LocalClock.h"
#include "app/RuleArbiter.h"
#include "app/ShakeChoices.h"
#include "app/ShakeTimer.h"
#include "foundation/Localizer.h"
#include "foundation/SettingsStore.h"
#include "platform/ModifierFlags.h"
#include "platform/Platform.h"
#include "platform/SystemInfo.h"
#include "platform/Workspace.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/ShortcutText.h"
#include "ui/MenuManager.h"

#include <QCoreApplication>
#include <utility>
#include <vector>

namespace wigglet {

namespace {

QString text(std::string_view key) {
    return QString::fromStdString(localized(key));
}

// Minutes first, then hours, each group after a separator.
std::vector<std::pair<int, QString>> durations() {
    std::vector<std::pair<int, QString>> items;
    bool hours = false;
    for (const int minutes : shakeChoices::durationMinutes) {
        if (items.empty() || (!hours && minutes >= 60))
            items.emplace_back(0, MainMenuController::SEPARATOR_IDX);
        hours = minutes >= 60;
        items.emplace_back(minutes, MainMenuController::durationTitle(minutes));
    }
    return items;
}

// Updates and reviews go through the software centre, when the desktop has one.
bool softwareCentre() {
    return Platform::current().workspace().canOpen(links::softwareCentre);
}

int majorVersion() {
    return Platform::current().system().operatingSystemVersion().major;
}

// The tray item's hover text: the program, then what it is doing.
QString trayToolTip(const QString& state) {
    return QStringLiteral("Wigglet — ") + state;
}

} // namespace

MainMenuController::MainMenuController(const QString& title, AppDelegate& delegate, QWidget* parent)
    : QMenu(title, parent), delegate_(delegate) {
    terminate = [] { QCoreApplication::quit(); };
    AppDelegate& d = delegate_;

    timeLeftMenuItem = addItem(this, " ", [this] { timeLeftClicked(); });
    timeLeftMenuItem->setVisible(false);
    timeLeftMenuItem->setCheckable(true);

    shakingMenuItem = addItem(this, text("menu-shake"), [&d] { d.shakePreviousClicked(); });
    shakingMenuItem->setMenu(buildTimingMenu());
    addSeparator();

    clickMenuItem = addItem(this, text("menu-click"), [&d] { d.switchClick(); });
    scrollMenuItem = addItem(this, text("menu-scroll"), [&d] { d.switchScroll(); });
    moveCursorMenuItem = addItem(this, text("menu-move-cursor"), [&d] { d.switchMoveCursor(); });
    for (QAction* toggle : {clickMenuItem, scrollMenuItem, moveCursorMenuItem})
        toggle->setCheckable(true);
    addSeparator();

    QAction* preferences = addItem(this, preferencesTitle(), [&d] { d.showPreferences(); });
    // Recorded for the platform menu, not shown: an open tray menu never receives Ctrl+, or Ctrl+Q.
    setKeyEquivalent(preferences, ",", modifierFlag::command, {});
    addSeparator();

    QAction* more = addItem(this, text("menu-more"), nullptr);
    more->setMenu(buildHelpMenu());

    QAction* rate = addItem(this, text("menu-rate"), [&d] { d.rate(); });
    rate->setVisible(softwareCentre());
    if (majorVersion() >= 11) {
        rate->setIcon(MenuManager::namedImage("star"));
        rate->setProperty(imageProperty, QStringLiteral("star"));
    }
    addSeparator();

    QAction* quit = addItem(this, text("menu-quit"), [this] {
        if (terminate)
            terminate();
    });
    setKeyEquivalent(quit, "q", modifierFlag::command, {});

    connect(this, &QMenu::aboutToShow, this, &MainMenuController::menuWillOpen);
}

QMenu* MainMenuController::buildTimingMenu() {
    auto* timing = new QMenu(QStringLiteral("Timing Menu"), this);
    AppDelegate& d = delegate_;
    timingIndefinitelyMenuItem =
        addItem(timing, text("indefinitely"), [&d] { d.shakeForClickedWithSender(0); });
    for (const auto& [minutes, title] : durations()) {
        if (title == SEPARATOR_IDX) {
            timing->addSeparator();
            continue;
        }
        const int tag = minutes;
        addItem(
            timing, title, [&d, tag] { d.shakeForClickedWithSender(tag); }, tag);
    }
    timing->addSeparator();
    addItem(timing, text("menu-until"), [&d] { d.askShakeUntil(); });
    return timing;
}

QMenu* MainMenuController::buildHelpMenu() {
    auto* help = new QMenu(QStringLiteral("Help Menu"), this);
    AppDelegate& d = delegate_;
    addItem(help, text("menu-about"), [&d] { d.infos(); });
    const LinkAddresses& to = links::addresses();
    addItem(help, text("menu-check-software"), [&d] {
        d.checkOurSoftwareClicked();
    })->setVisible(!to.makerSite.empty());
    addItem(help, text("menu-updates"), [&d] {
        d.checkForUpdates();
    })->setVisible(softwareCentre());
    help->addSeparator();
    addItem(help, text("menu-overview"), [&d] { d.overview(); });
    addItem(help, text("menu-faq"), [&d] { d.faq(); })->setVisible(!to.faq.empty());
    return help;
}

QAction* MainMenuController::addItem(QMenu* menu, const QString& title,
                                     std::function<void()> action, int tag) {
    auto* item = new QAction(menu);
    setTitle(item, title);
    item->setProperty(tagProperty, tag);
    item->setProperty(modifiersProperty, QVariant::fromValue<qulonglong>(modifierFlag::command));
    item->setProperty(keyProperty, QString());
    if (action)
        connect(item, &QAction::triggered, menu, [item, action = std::move(action)](bool checked) {
            // Qt flips a checkable item's mark on activation; the mark mirrors the settings,
            // so it is put back and the action's refresh decides.
            if (item->isCheckable())
                item->setChecked(!checked);
            action();
        });
    menu->addAction(item);
    return item;
}

void MainMenuController::setTitle(QAction* item, const QString& title) {
    item->setProperty(titleProperty, title);
    const QString shown = item->property(shownKeyProperty).toString();
    // QMenu right-aligns what follows a tab, where key equivalents go.
    item->setText(QString(title).replace('&', "&&") + (shown.isEmpty() ? "" : "\t" + shown));
}

void MainMenuController::setKeyEquivalent(QAction* item, const std::string& characters,
                                          std::uint64_t modifierFlags, const std::string& shown) {
    item->setProperty(keyProperty, QString::fromStdString(characters));
    item->setProperty(modifiersProperty, QVariant::fromValue<qulonglong>(modifierFlags));
    item->setProperty(shownKeyProperty, QString::fromStdString(shown));
    setTitle(item, item->property(titleProperty).toString());
}

QString MainMenuController::durationTitle(int minutes) {
    if (minutes < 60)
        return QString::number(minutes) + " " + text("minutes");
    if (minutes == 60)
        return "1 " + text("hour");
    return QString::number(minutes / 60) + " " + text("hours");
}

QString MainMenuController::preferencesTitle() {
    return text(majorVersion() < 13 ? "menu-preferences" : "menu-settings");
}

QString MainMenuController::preferencesWindowTitle() {
    if (Platform::current().system().windowTitleStyle() == WindowTitleStyle::MenuItem)
        return preferencesTitle();
    return text("window-title-preferences");
}

void MainMenuController::menuWillOpen() {
    refreshItems();
}

void MainMenuController::timeLeftClicked() {
    delegate_.stopShakeAndUpdate();
}

void MainMenuController::refreshItems() {
    SettingsStore& store = SettingsStore::shared();
    clickMenuItem->setChecked(store.boolForKey(SettingsKey::clickEnabled));
    moveCursorMenuItem->setChecked(store.boolForKey(SettingsKey::moveCursorEnabled));
    scrollMenuItem->setChecked(store.boolForKey(SettingsKey::scrollEnabled));

    // The global shortcut works anywhere, so it is shown as the desktop writes it.
    const GlobalKeybindPreferences shortcut = GlobalKeybindPreferences::storedShortcut();
    const std::string characters = shortcut.characters.value_or(std::string());
    const std::string shown = characters.empty() ? std::string() : ShortcutText::of(shortcut);
    setKeyEquivalent(timingIndefinitelyMenuItem, characters, shortcut.modifierFlags(), shown);
    setKeyEquivalent(timeLeftMenuItem, characters, shortcut.modifierFlags(), shown);

    for (QAction* item : shakingMenuItem->menu()->actions())
        item->setChecked(false);

    if (!store.boolForKey(SettingsKey::shakeEnabled)) {
        timeLeftMenuItem->setVisible(false);
        MenuManager::shared().setToolTip(trayToolTip(text("tooltip-not-shaking")));
        return;
    }
    QString title =
        text("menu-shaking-left") + QString::fromStdString(ShakeTimer::shared().timeLeftString());
    if (store.integerForKey(SettingsKey::lastDurationSelected) == 0)
        title = heldTitle();
    setTitle(timeLeftMenuItem, title);
    MenuManager::shared().setToolTip(trayToolTip(title));
    timeLeftMenuItem->setChecked(true);
    timeLeftMenuItem->setVisible(true);
    timeLeftMenuItem->setEnabled(true);
}

QString MainMenuController::heldTitle() {
    const auto held = delegate_.arbiter().holder();
    if (!held)
        return text("menu-shaking-indefinitely");
    if (!held->until)
        return QString::fromStdString(
            Localizer::shared().format("menu-shaking-held", {held->label}));
    const std::string until =
        LocalClock::timeOfDayText(LocalClock::civil(*held->until).secondOfDay / 60);
    return QString::fromStdString(
        Localizer::shared().format("menu-shaking-held-until", {held->label, until}));
}

void MainMenuController::setStatusImage(const std::string& name) {
    MenuManager::shared().setImage(name);
}

} // namespace wigglet
