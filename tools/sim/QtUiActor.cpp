#include "QtUiActor.h"

#include "QtUiDescriber.h"
#include "app/AppDelegate.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "ui/KeyEventTranslator.h"
#include "ui/MainMenuController.h"
#include "ui/PreferencesWindowController.h"
#include "ui/QtUserInterface.h"
#include "ui/QtWindowPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <QWindow>

namespace wigglet::sim {

namespace {

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<std::string> titlePathOf(const std::string& path) {
    std::vector<std::string> titles;
    std::size_t start = 0;
    for (auto at = path.find('>'); at != std::string::npos; at = path.find('>', start)) {
        titles.push_back(trimmed(path.substr(start, at - start)));
        start = at + 1;
    }
    titles.push_back(trimmed(path.substr(start)));
    return titles;
}

// An exact title first; otherwise the one item whose title starts with the text (the
// time-left line changes every second).
QAction* findItem(const QMenu& menu, const std::string& title) {
    QAction* prefixed = nullptr;
    int prefixCount = 0;
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        const std::string itemTitle = QtUiDescriber::titleOf(item);
        if (itemTitle == title)
            return item;
        if (itemTitle.rfind(title, 0) == 0) {
            prefixed = item;
            ++prefixCount;
        }
    }
    return prefixCount == 1 ? prefixed : nullptr;
}

bool usable(const QWidget* control) {
    return control->isVisibleTo(control->window()) && control->isEnabled();
}

// A left press and release at a point of the widget, as a person's click.
void clickAt(QWidget* target, QPointF local) {
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QCoreApplication::sendEvent(target, &release);
}

// Checkboxes and radio buttons take clicks on their mark and label only, which sit at the
// left; other controls anywhere. A control the user cannot use ignores the click.
void pressIfUsable(QWidget* control) {
    if (!usable(control))
        return;
    const QRectF bounds(control->rect());
    const bool marked = qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
    clickAt(control, marked ? QPointF(8, bounds.center().y()) : bounds.center());
}

// Picks an item of a pop-up by index or title, as a person picking it would.
Problem chooseIn(QWidget* target, const std::string& control, const std::string& indexOrTitle) {
    if (auto* list = qobject_cast<QListWidget*>(target)) {
        const auto row = Scenario::wholeNumber(indexOrTitle);
        if (!row || *row < 0 || *row >= list->count())
            return "'" + control + "' has no row '" + indexOrTitle + "'";
        list->setCurrentRow(static_cast<int>(*row));
        return std::nullopt;
    }
    auto* popUp = qobject_cast<QComboBox*>(target);
    if (!popUp)
        return "'" + control + "' is not a pop-up";
    int index = -1;
    if (const auto number = Scenario::wholeNumber(indexOrTitle);
        number && *number >= 0 && *number < popUp->count())
        index = static_cast<int>(*number);
    else
        index = popUp->findText(QString::fromStdString(indexOrTitle));
    if (index < 0)
        return "'" + control + "' has no item '" + indexOrTitle + "'";
    if (!usable(popUp))
        return std::nullopt;
    popUp->setCurrentIndex(index);
    emit popUp->activated(index);
    return std::nullopt;
}

} // namespace

Problem QtUiActor::openMenu() {
    emit ui_.menu().aboutToShow();
    return std::nullopt;
}

Problem QtUiActor::clickMenu(const std::string& titlePath) {
    openMenu();
    const QMenu* current = &ui_.menu();
    QAction* item = nullptr;
    for (const std::string& title : titlePathOf(titlePath)) {
        if (!current)
            return "'" + QtUiDescriber::titleOf(item) + "' has no submenu";
        item = findItem(*current, title);
        if (!item)
            return "no menu item '" + title + "'";
        current = item->menu();
    }
    if (!item->isVisible())
        return "the menu item '" + QtUiDescriber::titleOf(item) + "' is hidden";
    if (!item->isEnabled())
        return "the menu item '" + QtUiDescriber::titleOf(item) + "' is disabled";
    item->trigger();
    return std::nullopt;
}

Problem QtUiActor::openPrefs() {
    delegate_.showPreferences();
    return std::nullopt;
}

QWidget* QtUiActor::preferencesWindow() const {
    PreferencesWindowController* prefs = ui_.windows().preferencesController();
    return prefs ? prefs->window() : nullptr;
}

Problem QtUiActor::selectPane(const std::string& name) {
    QWidget* window = preferencesWindow();
    if (!window || !window->isVisible())
        return "the preferences window is not open";
    for (int i = 0; i < static_cast<int>(std::size(QtUiDescriber::paneNames)); ++i)
        if (name == QtUiDescriber::paneNames[i])
            ui_.windows().preferencesController()->selectPane(i);
    return std::nullopt;
}

QWidget* QtUiActor::prefsControl(const std::string& name, Problem& reason) const {
    QWidget* window = preferencesWindow();
    if (!window || !window->isVisible()) {
        reason = "the preferences window is not open";
        return nullptr;
    }
    for (QWidget* widget : window->findChildren<QWidget*>(QString::fromStdString(name))) {
        if (!QtUiDescriber::isControl(widget))
            continue;
        PreferencesWindowController* prefs = ui_.windows().preferencesController();
        QTabWidget* tabs = prefs->tabView();
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(widget))
                prefs->selectPane(i);
        return widget;
    }
    reason = "no control '" + name + "' in the preferences window";
    return nullptr;
}

Problem QtUiActor::choose(const std::string& control, const std::string& indexOrTitle) {
    Problem reason;
    QWidget* target = prefsControl(control, reason);
    if (!target)
        return reason;
    return chooseIn(target, control, indexOrTitle);
}

Problem QtUiActor::check(const std::string& control, bool on) {
    Problem reason;
    QWidget* target = prefsControl(control, reason);
    if (!target)
        return reason;
    auto* box = qobject_cast<QAbstractButton*>(target);
    if (!box || !box->isCheckable())
        return "'" + control + "' is not a checkbox or radio button";
    if (box->autoExclusive() && !on)
        return "the radio button '" + control + "' cannot be switched off";
    if (box->autoExclusive() || box->isChecked() != on)
        pressIfUsable(box);
    return std::nullopt;
}

Problem QtUiActor::press(const std::string& control) {
    Problem reason;
    QWidget* target = prefsControl(control, reason);
    if (!target)
        return reason;
    pressIfUsable(target);
    return std::nullopt;
}

Problem QtUiActor::key(const KeyDown& keyDown) {
    QWindow* target = QGuiApplication::focusWindow();
    if (!target)
        for (QWidget* window : QApplication::topLevelWidgets())
            if (window->isVisible() && window->windowHandle()) {
                target = window->windowHandle();
                if (window == preferencesWindow())
                    break;
            }
    if (!target)
        return std::nullopt;
    const auto event = KeyEventTranslator::toQKeyEvent(keyDown);
    QCoreApplication::sendEvent(target, event.get());
    return std::nullopt;
}

// The click goes to the topmost window of the application under the pointer; elsewhere it
// reaches another application, which Wigglet does not see.
Problem QtUiActor::clickAtPointer() {
    const Point location = Platform::current().screens().pointerLocation();
    const auto frame = Platform::current().screens().primaryFrame();
    const QPoint global(static_cast<int>(location.x),
                        static_cast<int>((frame ? frame->size.height : 0.0) - location.y));
    QWidget* hit = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || !window->geometry().contains(global))
            continue;
        if (!hit || window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            hit = window;
    }
    if (!hit || !hit->windowHandle())
        return std::nullopt;
    const QPointF local = global - hit->geometry().topLeft();
    QMouseEvent pressEvent(QEvent::MouseButtonPress, local, local, QPointF(global), Qt::LeftButton,
                           Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(hit->windowHandle(), &pressEvent);
    QMouseEvent releaseEvent(QEvent::MouseButtonRelease, local, local, QPointF(global),
                             Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(hit->windowHandle(), &releaseEvent);
    return std::nullopt;
}

QWidget* QtUiActor::openWindow(const std::string& id, Problem& reason) const {
    QWidget* target = QtUiDescriber::windowNamed(ui_, id);
    if (!target || !target->isVisible()) {
        reason = "the window '" + id + "' is not open";
        return nullptr;
    }
    return target;
}

Problem QtUiActor::closeWindow(const std::string& id) {
    Problem reason;
    QWidget* target = openWindow(id, reason);
    if (!target)
        return reason;
    recordTrace("window", {{"id", id}, {"action", "close"}});
    target->close();
    return std::nullopt;
}

Problem QtUiActor::pressInWindow(const std::string& id, const std::string& control) {
    Problem reason;
    QWidget* target = openWindow(id, reason);
    if (!target)
        return reason;
    auto* pressed = target->findChild<QWidget*>(QString::fromStdString(control));
    if (!pressed)
        return "no control '" + control + "' in the window '" + id + "'";
    pressIfUsable(pressed);
    return std::nullopt;
}

Problem QtUiActor::chooseInWindow(const std::string& id, const std::string& control,
                                  const std::string& indexOrTitle) {
    Problem reason;
    QWidget* target = openWindow(id, reason);
    if (!target)
        return reason;
    auto* popUp = target->findChild<QWidget*>(QString::fromStdString(control));
    if (!popUp)
        return "no control '" + control + "' in the window '" + id + "'";
    return chooseIn(popUp, control, indexOrTitle);
}

} // namespace wigglet::sim
