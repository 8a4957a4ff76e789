#include "ui/WindowController.h"

#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "foundation/Localizer.h"
#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "system/GlobalKeybindPreferences.h"
#include "system/ShortcutText.h"
#include "ui/ClickViewController.h"
#include "ui/GeneralViewController.h"
#include "ui/OneClickButton.h"
#include "ui/PreferencesWindowController.h"
#include "ui/QtWindowPresenter.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <algorithm>

namespace wigglet::test {

namespace {

class Windows : public SimFixture {
  protected:
    Windows() { store->putRaw("notFirstLaunch", true); }

    QWidget* shown(const std::string& id) const {
        for (const auto& window : presenter.windows())
            if (window.id == id)
                return window.window;
        return nullptr;
    }

    static void press(QWidget* window, int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(window, &event);
    }

    AppDelegate delegate;
    QtWindowPresenter presenter{delegate};
};

TEST_F(Windows, EachIsCentredWithACloseButtonAndThePreferencesKeepOneSize) {
    presenter.showHelpWindow("Features");
    presenter.showAboutWindow();
    presenter.showPreferences();
    const QPoint centre = QGuiApplication::primaryScreen()->availableGeometry().center();
    for (const char* id : {"helpWindowID", "aboutWindowID", "preferences"}) {
        QWidget* window = shown(id);
        ASSERT_NE(window, nullptr) << id;
        EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint) << id;
        // Within the frame the window manager adds, unknown before the window is shown.
        EXPECT_LE((window->frameGeometry().center() - centre).manhattanLength(), 8) << id;
    }

    // The preferences keep one size across their panes, and each pane fits.
    PreferencesWindowController* prefs = presenter.preferencesController();
    const QSize first = prefs->window()->size();
    for (int pane : {1, 2, 0}) {
        prefs->selectPane(pane);
        QCoreApplication::processEvents();
        EXPECT_EQ(prefs->window()->size(), first) << "pane " << pane;
        const QWidget* shownPane = prefs->tabView()->currentWidget();
        const int needed = shownPane->hasHeightForWidth()
                               ? shownPane->heightForWidth(shownPane->width())
                               : shownPane->minimumSizeHint().height();
        EXPECT_GE(shownPane->height(), needed) << "pane " << pane;
    }
}

// Escape and Ctrl+W close a window, except that Escape cancels a recording shortcut; Ctrl+Q
// in the preferences quits as the menu does.
TEST_F(Windows, KeysCloseDialogsAndCtrlQQuits) {
    presenter.showHelpWindow("Features");
    presenter.showAuthorizeWindow();
    press(shown("helpWindowID"), Qt::Key_Escape, Qt::NoModifier);
    press(shown("authorizeWindowID"), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(shown("helpWindowID")->isVisible());
    EXPECT_FALSE(shown("authorizeWindowID")->isVisible());

    presenter.showPreferences();
    PreferencesWindowController* prefs = presenter.preferencesController();
    int quits = 0;
    prefs->terminate = [&quits] { ++quits; };
    QWidget* window = prefs->window();
    window->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    prefs->general()->shortcutButton->click();
    ASSERT_TRUE(prefs->general()->isListening());
    prefs->keyDown({virtualKey::escape, "\x1b", 0});
    prefs->keyDown({virtualKey::ansiComma, ",", modifierFlag::control});
    prefs->keyDown({virtualKey::ansiQ, "q", 0});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(quits, 0);
    prefs->keyDown({virtualKey::ansiQ, "q", modifierFlag::control});
    EXPECT_EQ(quits, 1);
    prefs->keyDown({virtualKey::ansiW, "w", modifierFlag::control});
    EXPECT_FALSE(window->isVisible());
}

// The recorder's prompt fits its button; the reset button is ui-shortcut-recorder's.
TEST_F(Windows, AShortcutAnotherProgramHoldsIsSaidUnderTheRecorder) {
    presenter.showPreferences();
    GeneralViewController* general = presenter.preferencesController()->general();
    general->shortcutButton->click();
    advance(0.1);
    const QFontMetrics metrics = general->shortcutButton->fontMetrics();
    EXPECT_GT(general->shortcutButton->width(),
              metrics.horizontalAdvance(general->shortcutButton->text()));
    sim.hotKeys.failNextRegistration();
    general->keyDown({virtualKey::ansiK, "k", modifierFlag::control | modifierFlag::shift});
    EXPECT_FALSE(general->shortcutAdvice->isHidden());
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(),
              ShortcutText::of(GlobalKeybindPreferences::storedShortcut()) +
                  " is taken by another program");
    general->resetShortcutButton->click();
    EXPECT_TRUE(general->shortcutAdvice->isHidden());
}

TEST_F(Windows, ThePickerSaysHowToPickAndToCancel) {
    presenter.showPreferences();
    ClickViewController* click = presenter.preferencesController()->click();
    click->clickTargetButtonChange();
    ASSERT_TRUE(click->clickPanel && click->clickPanel->isVisible());
    const auto* instructions = click->clickPanel->findChild<QLabel*>("pickerInstructions");
    ASSERT_NE(instructions, nullptr);
    EXPECT_EQ(instructions->text().toStdString(), "Click where Wigglet should click · Esc cancels");
    EXPECT_TRUE(click->clickPanel->rect().contains(instructions->geometry()));
    click->cancelPick();
    EXPECT_FALSE(click->clickPanel->isVisible());
}

// A desktop without a file to edit is told to bind the command in its own settings.
TEST_F(Windows, WhereNoShortcutCanBeRegisteredThePreferencesTellHowToBindTheStoredOne) {
    presenter.showPreferences();
    GeneralViewController* general = presenter.preferencesController()->general();
    EXPECT_TRUE(general->shortcutAdvice->isHidden());
    shown("preferences")->close();
    const std::string advice = "simwm lets no program register a shortcut. Add this line to "
                               "~/.simwmrc:\nkey ";

    sim.hotKeys.refuseEveryShortcut("simwm", "~/.simwmrc");
    presenter.showPreferences();
    EXPECT_FALSE(general->shortcutAdvice->isHidden());
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(), advice + "1 modifiers 2304");
    general->shortcutButton->click();
    general->keyDown({virtualKey::ansiK, "k", modifierFlag::control | modifierFlag::shift});
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(), advice + "40 modifiers 4608");
    shown("preferences")->close();
    sim.hotKeys.refuseEveryShortcut("simwm", "");
    presenter.showPreferences();
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(),
              "This desktop lets no program register a shortcut: bind the command "
              "`wigglet toggle` to a key in its own settings.");
}

TEST_F(Windows, InTheUsersLanguageTheLayoutsAndTheAdviceAreTranslated) {
    sim.platform().provide(std::make_shared<Localizer>(Localizer::forLanguages({"de"})));
    ASSERT_EQ(Localizer::shared().language(), "de");
    sim.hotKeys.refuseEveryShortcut("sway", "~/.config/sway/config");
    presenter.showPreferences();
    QWidget* window = shown("preferences");
    EXPECT_EQ(window->windowTitle().toStdString(), "Einstellungen…");
    std::vector<std::string> labels;
    for (const QLabel* label : window->findChildren<QLabel*>())
        labels.push_back(label->text().toStdString());
    for (const char* label : {"Wackeln beginnt nach:", "Tastenkürzel:"})
        EXPECT_NE(std::ranges::find(labels, label), labels.end()) << label;
    const std::string advice =
        presenter.preferencesController()->general()->shortcutAdvice->text().toStdString();
    EXPECT_EQ(advice.substr(0, advice.find('\n')),
              "sway lässt Programme keine Tastenkürzel registrieren. Fügen Sie diese Zeile in "
              "~/.config/sway/config ein:");
}

} // namespace

} // namespace wigglet::test
