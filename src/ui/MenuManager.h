#pragma once

#include <QSystemTrayIcon>
#include <memory>
#include <string>

class QMenu;

namespace wigglet {

// The process-wide status item: a tray icon with the status menu attached. It shows the
// image it is told to show; which image that is, the application delegate decides.
class MenuManager {
  public:
    MenuManager() = default;
    ~MenuManager();
    MenuManager(const MenuManager&) = delete;
    MenuManager& operator=(const MenuManager&) = delete;

    static MenuManager& shared();

    // Created on first use and kept for the life of the process.
    QSystemTrayIcon& statusItem();
    void setMenu(QMenu* menu);
    // The named image of the resources (statusOn_0, statusOff_2, ...); a name without an image
    // leaves the item without one.
    void setImage(const std::string& name);
    // The text shown on hovering the item; set only when it changes, as each change is sent
    // to the panel.
    void setToolTip(const QString& text);
    const std::string& imageName() const { return imageName_; }
    QIcon image() const;

    static QIcon namedImage(const std::string& name);

  private:
    std::unique_ptr<QSystemTrayIcon> item_;
    std::string imageName_;
};

} // namespace wigglet
