#include "ui/WindowController.h"

#include "SimFixture.h"
#include "app/AppDelegate.h"
#include "platform/ModifierFlags.h"
#include "platform/VirtualKeys.h"
#include "ui/GeneralViewController.h"
#include "ui/OneClickButton.h"
#include "ui/PreferencesWindowController.h"
#include "ui/QtWindowPresenter.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QWidget>

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

TEST_F(Windows, EachIsCentredOnTheScreenWithACloseButton) {
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
}

TEST_F(Windows, EscapeAndCtrlWCloseDialogs) {
    presenter.showHelpWindow("Features");
    presenter.showAuthorizeWindow();
    press(shown("helpWindowID"), Qt::Key_Escape, Qt::NoModifier);
    press(shown("authorizeWindowID"), Qt::Key_W, Qt::ControlModifier);
    EXPECT_FALSE(shown("helpWindowID")->isVisible());
    EXPECT_FALSE(shown("authorizeWindowID")->isVisible());
}

TEST_F(Windows, EscapeClosesThePreferencesUnlessAShortcutIsBeingRecorded) {
    presenter.showPreferences();
    PreferencesWindowController* prefs = presenter.preferencesController();
    QWidget* window = prefs->window();
    window->activateWindow();
    QCoreApplication::processEvents();
    ASSERT_TRUE(window->isActiveWindow());
    prefs->general()->shortcutButton->click();
    ASSERT_TRUE(prefs->general()->isListening());
    prefs->keyDown({virtualKey::escape, "\x1b", 0});
    EXPECT_TRUE(window->isVisible());
    prefs->keyDown({virtualKey::ansiW, "w", modifierFlag::control});
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Windows, WhereNoShortcutCanBeRegisteredThePreferencesTellHowToBindTheStoredOne) {
    presenter.showPreferences();
    GeneralViewController* general = presenter.preferencesController()->general();
    EXPECT_TRUE(general->shortcutAdvice->isHidden());
    shown("preferences")->close();

    sim.hotKeys.refuseEveryShortcut("Bind it yourself:");
    presenter.showPreferences();
    EXPECT_FALSE(general->shortcutAdvice->isHidden());
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(),
              "Bind it yourself: key 1 modifiers 2304");
    general->shortcutButton->click();
    general->keyDown({virtualKey::ansiK, "k", modifierFlag::control | modifierFlag::shift});
    EXPECT_EQ(general->shortcutAdvice->text().toStdString(),
              "Bind it yourself: key 40 modifiers 4608");
}

} // namespace

} // namespace wigglet::test
