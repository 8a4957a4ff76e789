#include "QtScenarioUi.h"

#include "app/AppDelegate.h"
#include "platform/KeyDown.h"
#include "platform/Platform.h"
#include "platform/Screens.h"
#include "ui/ClickViewController.h"
#include "ui/GeneralViewController.h"
#include "ui/KeyEventTranslator.h"
#include "ui/MainMenuController.h"
#include "ui/MenuManager.h"
#include "ui/OneClickButton.h"
#include "ui/PreferencesWindowController.h"
#include "ui/QtUserInterface.h"
#include "ui/QtWindowPresenter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>
#include <QWindow>

namespace wigglet::sim {

namespace {

const char* const kPanes[] = {"General", "Click", "Scroll"};

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<std::string> titlePath(const std::string& path) {
    std::vector<std::string> titles;
    std::size_t start = 0;
    for (auto at = path.find('>'); at != std::string::npos; at = path.find('>', start)) {
        titles.push_back(trimmed(path.substr(start, at - start)));
        start = at + 1;
    }
    titles.push_back(trimmed(path.substr(start)));
    return titles;
}

std::string titleOf(const QAction* item) {
    return item->property(MainMenuController::titleProperty).toString().toStdString();
}

// An exact title first; otherwise the one item whose title starts with the text (the
// time-left line changes every second).
QAction* findItem(const QMenu& menu, const std::string& title) {
    QAction* prefixed = nullptr;
    int prefixCount = 0;
    for (QAction* item : menu.actions()) {
        if (item->isSeparator())
            continue;
        const std::string itemTitle = titleOf(item);
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

// A left press and release at the middle of the widget, as a person's click.
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
// left; other controls anywhere.
void press(QWidget* control) {
    const QRectF bounds(control->rect());
    const bool marked = qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
    clickAt(control, marked ? QPointF(8, bounds.center().y()) : bounds.center());
}

nlohmann::ordered_json describeControl(const QWidget* control, const QWidget* pane) {
    nlohmann::ordered_json fields;
    if (const auto* popUp = qobject_cast<const QComboBox*>(control)) {
        fields["selected"] = popUp->currentIndex();
        fields["title"] = popUp->currentText().toStdString();
        nlohmann::ordered_json items = nlohmann::ordered_json::array();
        for (int i = 0; i < popUp->count(); ++i)
            items.push_back(popUp->itemText(i).toStdString());
        fields["items"] = items;
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        fields["title"] = button->text().toStdString();
        fields["state"] = button->isChecked() || button->isDown() ? "on" : "off";
        if (const auto* oneClick = qobject_cast<const OneClickButton*>(control)) {
            fields["highlighted"] = oneClick->isHighlighted();
            fields["userInteraction"] = oneClick->isUserInteractionEnabled();
            fields["width"] = oneClick->width();
        }
    } else if (const auto* label = qobject_cast<const QLabel*>(control)) {
        fields["title"] = label->text().toStdString();
    }
    fields["enabled"] = control->isEnabled();
    fields["hidden"] = !control->isVisibleTo(pane);
    return fields;
}

bool isControl(const QWidget* widget) {
    return (qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QComboBox*>(widget) ||
            widget->objectName() == QLatin1String("frequencyWarning")) &&
           !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_");
}

} // namespace

QtScenarioUi::QtScenarioUi() = default;

QtScenarioUi::~QtScenarioUi() = default;

void QtScenarioUi::attach(AppDelegate& delegate) {
    delegate_ = &delegate;
    ui_ = std::make_unique<QtUserInterface>(delegate);
    ui_->menu().terminate = [this] { quitRequested_ = true; };
}

void QtScenarioUi::detach() {
    ui_.reset();
    delegate_ = nullptr;
    settle();
}

void QtScenarioUi::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool QtScenarioUi::takeQuitRequest() {
    return std::exchange(quitRequested_, false);
}

std::optional<std::string> QtScenarioUi::run(const Command& c) {
    const std::string& verb = c.verb();
    if (verb == "dump")
        return dump(c);
    if (!ui_)
        return "'" + verb + "' before launch";
    if (verb == "menu")
        return menu(c);
    if (verb == "prefs")
        return prefs(c);
    if (verb == "key")
        return key(c);
    if (verb == "window")
        return window(c);
    if (verb == "screenshot")
        return screenshot(c);
    if (verb == "user" && c[1] == "click")
        return userClick();
    return "unknown interface command '" + verb + "'";
}

nlohmann::ordered_json QtScenarioUi::describeMenu(const QMenu& menu) {
    nlohmann::ordered_json items = nlohmann::ordered_json::array();
    for (const QAction* item : menu.actions()) {
        if (item->isSeparator()) {
            items.push_back({{"separator", true}});
            continue;
        }
        const QString image = item->property(MainMenuController::imageProperty).toString();
        nlohmann::ordered_json entry = {
            {"title", titleOf(item)},
            {"tag", item->property(MainMenuController::tagProperty).toInt()},
            {"state", item->isChecked() ? "on" : "off"},
            {"hidden", !item->isVisible()},
            // Qt reports a hidden item as disabled; the menu itself never disables one.
            {"enabled", !item->isVisible() || item->isEnabled()},
            {"key", item->property(MainMenuController::keyProperty).toString().toStdString()},
            {"modifiers", item->property(MainMenuController::modifiersProperty).toULongLong()},
            {"image", image.isEmpty() ? nlohmann::ordered_json()
                                      : nlohmann::ordered_json(image.toStdString())},
            {"submenu", item->menu() ? describeMenu(*item->menu()) : nlohmann::ordered_json()},
        };
        items.push_back(entry);
    }
    return items;
}

std::optional<std::string> QtScenarioUi::menu(const Command& c) {
    MainMenuController& menu = ui_->menu();
    emit menu.aboutToShow();
    if (c[1] == "open") {
        recordTrace("menu", {{"items", describeMenu(menu)}});
        return std::nullopt;
    }
    const QMenu* current = &menu;
    QAction* item = nullptr;
    for (const std::string& title : titlePath(c[2])) {
        if (!current)
            return "'" + titleOf(item) + "' has no submenu";
        item = findItem(*current, title);
        if (!item)
            return "no menu item '" + title + "'";
        current = item->menu();
    }
    if (!item->isVisible())
        return "the menu item '" + titleOf(item) + "' is hidden";
    if (!item->isEnabled())
        return "the menu item '" + titleOf(item) + "' is disabled";
    item->trigger();
    return std::nullopt;
}

QWidget* QtScenarioUi::preferencesWindow() const {
    PreferencesWindowController* prefs = ui_->windows().preferencesController();
    return prefs ? prefs->window() : nullptr;
}

QWidget* QtScenarioUi::control(const std::string& name) const {
    QWidget* window = preferencesWindow();
    if (!window)
        return nullptr;
    for (QWidget* widget : window->findChildren<QWidget*>(QString::fromStdString(name)))
        if (isControl(widget))
            return widget;
    return nullptr;
}

// A person goes to the pane that holds a control before using it.
void QtScenarioUi::showPaneOf(QWidget* control) const {
    PreferencesWindowController* prefs = ui_->windows().preferencesController();
    QTabWidget* tabs = prefs->tabView();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(control))
            prefs->selectPane(i);
}

std::optional<std::string> QtScenarioUi::prefs(const Command& c) {
    const std::string& what = c[1];
    if (what == "open") {
        delegate_->showPreferences();
        return std::nullopt;
    }
    PreferencesWindowController* prefs = ui_->windows().preferencesController();
    if (!prefs || !prefs->window()->isVisible())
        return "the preferences window is not open";
    if (what == "pane") {
        for (int i = 0; i < 3; ++i)
            if (c[2] == kPanes[i])
                prefs->selectPane(i);
        return std::nullopt;
    }
    QWidget* target = control(c[2]);
    if (!target)
        return "no control '" + c[2] + "' in the preferences window";
    showPaneOf(target);
    if (what == "choose") {
        auto* popUp = qobject_cast<QComboBox*>(target);
        if (!popUp)
            return "'" + c[2] + "' is not a pop-up";
        int index = -1;
        if (const auto number = Scenario::wholeNumber(c[3]);
            number && *number >= 0 && *number < popUp->count())
            index = static_cast<int>(*number);
        else
            index = popUp->findText(QString::fromStdString(c[3]));
        if (index < 0)
            return "'" + c[2] + "' has no item '" + c[3] + "'";
        if (!usable(popUp))
            return std::nullopt;
        popUp->setCurrentIndex(index);
        emit popUp->activated(index);
        return std::nullopt;
    }
    if (what == "check") {
        auto* box = qobject_cast<QAbstractButton*>(target);
        if (!box || !box->isCheckable())
            return "'" + c[2] + "' is not a checkbox or radio button";
        const bool on = c[3] == "on";
        if (box->autoExclusive() && !on)
            return "the radio button '" + c[2] + "' cannot be switched off";
        if (usable(box) && (box->autoExclusive() || box->isChecked() != on))
            press(box);
        return std::nullopt;
    }
    if (usable(target))
        press(target);
    return std::nullopt;
}

std::optional<std::string> QtScenarioUi::key(const Command& c) {
    KeyDown keyDown;
    keyDown.modifierFlags = static_cast<std::uint64_t>(*Scenario::wholeNumber(c[1]));
    keyDown.keyCode = static_cast<std::uint16_t>(*Scenario::wholeNumber(c[2]));
    if (c[3] != "-")
        keyDown.characters = c[3];
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
std::optional<std::string> QtScenarioUi::userClick() {
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

QWidget* QtScenarioUi::windowNamed(const std::string& id) const {
    for (const auto& shown : ui_->windows().windows())
        if (shown.id == id && shown.window)
            return shown.window;
    return nullptr;
}

std::optional<std::string> QtScenarioUi::window(const Command& c) {
    QWidget* target = windowNamed(c[1]);
    if (!target || !target->isVisible())
        return "the window '" + c[1] + "' is not open";
    if (c[2] == "close") {
        recordTrace("window", {{"id", c[1]}, {"action", "close"}});
        target->close();
        return std::nullopt;
    }
    if (c[2] == "press" && c.size() == 4) {
        auto* pressed = target->findChild<QWidget*>(QString::fromStdString(c[3]));
        if (!pressed)
            return "no control '" + c[3] + "' in the window '" + c[1] + "'";
        if (usable(pressed))
            press(pressed);
        return std::nullopt;
    }
    return "unknown window action: window ID close | window ID press CONTROL";
}

std::optional<std::string> QtScenarioUi::screenshot(const Command& c) {
    QPixmap picture;
    if (c[1] == "menu") {
        MainMenuController& menu = ui_->menu();
        emit menu.aboutToShow();
        menu.ensurePolished();
        menu.resize(menu.sizeHint());
        const QPixmap items = menu.grab();
        // A strip of status area above the menu, with the status item at its right end.
        constexpr int strip = 28;
        picture = QPixmap(items.width() + 40, items.height() + strip);
        picture.fill(QColor(236, 236, 236));
        QPainter painter(&picture);
        painter.fillRect(0, 0, picture.width(), strip, QColor(48, 48, 52));
        const QIcon icon = MenuManager::shared().image();
        icon.paint(&painter, QRect(picture.width() - 34, 3, 22, 22));
        painter.drawPixmap(picture.width() - items.width() - 8, strip, items);
    } else {
        QWidget* target = windowNamed(c[1]);
        if (!target)
            return "the window '" + c[1] + "' has not been opened";
        picture = target->grab();
    }
    if (!picture.save(QString::fromStdString(c[2]), "PNG"))
        return "cannot write the picture " + c[2];
    return std::nullopt;
}

std::optional<std::string> QtScenarioUi::dump(const Command& c) {
    if (c[1] == "menu") {
        if (!ui_)
            return "'dump menu' before launch";
        recordTrace("menu", {{"items", describeMenu(ui_->menu())}});
    } else if (c[1] == "prefs") {
        dumpPrefs();
    } else if (c[1] == "windows") {
        dumpWindows();
    } else {
        return "unknown dump '" + c[1] + "'";
    }
    return std::nullopt;
}

void QtScenarioUi::dumpPrefs() const {
    nlohmann::ordered_json controls = nlohmann::ordered_json::object();
    PreferencesWindowController* prefs = ui_ ? ui_->windows().preferencesController() : nullptr;
    if (!prefs) {
        recordTrace("prefs", {{"open", false}, {"controls", controls}});
        return;
    }
    QTabWidget* tabs = prefs->tabView();
    for (int i = 0; i < tabs->count(); ++i)
        for (const QWidget* widget : tabs->widget(i)->findChildren<QWidget*>())
            if (isControl(widget))
                controls[widget->objectName().toStdString()] =
                    describeControl(widget, tabs->widget(i));
    recordTrace("prefs", {{"open", prefs->window()->isVisible()},
                          {"title", prefs->window()->windowTitle().toStdString()},
                          {"pane", kPanes[std::clamp(tabs->currentIndex(), 0, 2)]},
                          {"listening", prefs->general()->isListening()},
                          {"controls", controls}});
}

void QtScenarioUi::dumpWindows() const {
    nlohmann::ordered_json windows = nlohmann::ordered_json::array();
    if (ui_)
        for (const auto& shown : ui_->windows().windows())
            windows.push_back({{"id", shown.id},
                               {"visible", shown.window->isVisible()},
                               {"fields", QtWindowPresenter::fieldsOf(shown.id, shown.window)}});
    recordTrace("windows", {{"windows", windows}});
}

} // namespace wigglet::sim
