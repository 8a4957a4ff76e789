#include "QtUiDescriber.h"

#include "platform/Platform.h"
#include "ui/GeneralViewController.h"
#include "ui/MainMenuController.h"
#include "ui/MenuManager.h"
#include "ui/OneClickButton.h"
#include "ui/PreferencesWindowController.h"
#include "ui/QtUserInterface.h"
#include "ui/QtWindowPresenter.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>

namespace wigglet::sim {

namespace {

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
    } else if (const auto* list = qobject_cast<const QListWidget*>(control)) {
        fields["selected"] = list->currentRow();
        nlohmann::ordered_json items = nlohmann::ordered_json::array();
        for (int i = 0; i < list->count(); ++i)
            items.push_back(list->item(i)->text().toStdString());
        fields["items"] = items;
    }
    fields["enabled"] = control->isEnabled();
    fields["hidden"] = !control->isVisibleTo(pane);
    return fields;
}

// The menu under a strip of status area, with the status item at its right end.
QPixmap menuPicture(MainMenuController& menu) {
    emit menu.aboutToShow();
    menu.ensurePolished();
    menu.resize(menu.sizeHint());
    const QPixmap items = menu.grab();
    constexpr int strip = 28;
    QPixmap picture(items.width() + 40, items.height() + strip);
    picture.fill(QColor(236, 236, 236));
    QPainter painter(&picture);
    painter.fillRect(0, 0, picture.width(), strip, QColor(48, 48, 52));
    const QIcon icon = MenuManager::shared().image();
    icon.paint(&painter, QRect(picture.width() - 34, 3, 22, 22));
    painter.drawPixmap(picture.width() - items.width() - 8, strip, items);
    return picture;
}

} // namespace

std::string QtUiDescriber::titleOf(const QAction* item) {
    return item->property(MainMenuController::titleProperty).toString().toStdString();
}

bool QtUiDescriber::isControl(const QWidget* widget) {
    return (qobject_cast<const QAbstractButton*>(widget) ||
            qobject_cast<const QComboBox*>(widget) || qobject_cast<const QListWidget*>(widget) ||
            widget->objectName() == QLatin1String("frequencyWarning")) &&
           !widget->objectName().isEmpty() && !widget->objectName().startsWith("qt_");
}

QWidget* QtUiDescriber::windowNamed(const QtUserInterface& ui, const std::string& id) {
    for (const auto& shown : ui.windows().windows())
        if (shown.id == id && shown.window)
            return shown.window;
    return nullptr;
}

nlohmann::ordered_json QtUiDescriber::describeMenu(const QMenu& menu) {
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

Problem QtUiDescriber::dumpMenu() {
    if (!ui_)
        return "'dump menu' before launch";
    recordTrace("menu", {{"items", describeMenu(ui_->menu())}});
    return std::nullopt;
}

Problem QtUiDescriber::dumpPrefs() {
    nlohmann::ordered_json controls = nlohmann::ordered_json::object();
    PreferencesWindowController* prefs = ui_ ? ui_->windows().preferencesController() : nullptr;
    if (!prefs) {
        recordTrace("prefs", {{"open", false}, {"controls", controls}});
        return std::nullopt;
    }
    QTabWidget* tabs = prefs->tabView();
    for (int i = 0; i < tabs->count(); ++i)
        for (const QWidget* widget : tabs->widget(i)->findChildren<QWidget*>())
            if (isControl(widget))
                controls[widget->objectName().toStdString()] =
                    describeControl(widget, tabs->widget(i));
    recordTrace("prefs", {{"open", prefs->window()->isVisible()},
                          {"title", prefs->window()->windowTitle().toStdString()},
                          {"pane", paneNames[static_cast<std::size_t>(std::clamp<int>(
                                       tabs->currentIndex(), 0, paneNames.size() - 1))]},
                          {"listening", prefs->general()->isListening()},
                          {"controls", controls}});
    return std::nullopt;
}

Problem QtUiDescriber::dumpWindows() {
    nlohmann::ordered_json windows = nlohmann::ordered_json::array();
    if (ui_)
        for (const auto& shown : ui_->windows().windows())
            windows.push_back({{"id", shown.id},
                               {"visible", shown.window->isVisible()},
                               {"fields", QtWindowPresenter::fieldsOf(shown.id, shown.window)}});
    recordTrace("windows", {{"windows", windows}});
    return std::nullopt;
}

Problem QtUiDescriber::screenshot(const std::string& window, const std::string& file) {
    if (!ui_)
        return "'screenshot' before launch";
    QPixmap picture;
    if (window == "menu") {
        picture = menuPicture(ui_->menu());
    } else {
        QWidget* target = windowNamed(*ui_, window);
        if (!target)
            return "the window '" + window + "' has not been opened";
        picture = target->grab();
    }
    if (!picture.save(QString::fromStdString(file), "PNG"))
        return "cannot write the picture " + file;
    return std::nullopt;
}

} // namespace wigglet::sim
