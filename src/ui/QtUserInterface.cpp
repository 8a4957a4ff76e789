#include "ui/QtUserInterface.h"

#include "app/AppDelegate.h"
#include "ui/MainMenuController.h"
#include "ui/MenuManager.h"
#include "ui/QtWindowPresenter.h"

namespace wigglet {

QtUserInterface::QtUserInterface(AppDelegate& delegate)
    : delegate_(delegate),
      menu_(std::make_unique<MainMenuController>(QStringLiteral("Wigglet Menu"), delegate)),
      windows_(std::make_unique<QtWindowPresenter>(delegate)) {
    MenuManager::shared().setMenu(menu_.get());
    delegate_.setStatusMenu(menu_.get());
    delegate_.setWindowPresenter(windows_.get());
    // Read at each press, so that a host's own Quit applies to the window too.
    windows_->quit = [menu = menu_.get()] {
        if (menu->terminate)
            menu->terminate();
    };
}

QtUserInterface::~QtUserInterface() {
    delegate_.setStatusMenu(nullptr);
    delegate_.setWindowPresenter(nullptr);
    MenuManager::shared().setMenu(nullptr);
}

} // namespace wigglet
