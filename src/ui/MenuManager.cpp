#include "ui/MenuManager.h"

#include "platform/Platform.h"

#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>

namespace wigglet {

MenuManager::~MenuManager() {
    if (item_)
        item_->setContextMenu(nullptr);
}

MenuManager& MenuManager::shared() {
    return Platform::current().shared<MenuManager>();
}

QSystemTrayIcon& MenuManager::statusItem() {
    if (!item_) {
        item_ = std::make_unique<QSystemTrayIcon>();
        item_->setToolTip(QStringLiteral("Wigglet"));
        // Qt opens the context menu on a right click only; a left click opens it too, as
        // every click on the status item does elsewhere.
        QObject::connect(item_.get(), &QSystemTrayIcon::activated,
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Trigger && item_->contextMenu())
                                 item_->contextMenu()->popup(QCursor::pos());
                         });
    }
    return *item_;
}

void MenuManager::setMenu(QMenu* menu) {
    statusItem().setContextMenu(menu);
}

QIcon MenuManager::namedImage(const std::string& name) {
    const QString path = ":/icons/" + QString::fromStdString(name) + ".svg";
    return QFile::exists(path) ? QIcon(path) : QIcon();
}

void MenuManager::setImage(const std::string& name) {
    imageName_ = name;
    QSystemTrayIcon& item = statusItem();
    item.setIcon(namedImage(name));
    // The item shows once it has an image; without a display there is no status area.
    if (!item.isVisible() && !item.icon().isNull() &&
        QGuiApplication::platformName() != QLatin1String("offscreen"))
        item.show();
}

void MenuManager::setToolTip(const QString& text) {
    QSystemTrayIcon& item = statusItem();
    if (item.toolTip() != text)
        item.setToolTip(text);
}

QIcon MenuManager::image() const {
    return item_ ? item_->icon() : QIcon();
}

} // namespace wigglet
