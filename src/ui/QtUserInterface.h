#pragma once

#include <memory>

namespace wigglet {

class AppDelegate;
class MainMenuController;
class QtWindowPresenter;

// The whole Qt interface of one running program: the status menu attached to the status item,
// and the window presenter, both wired into the application delegate for its lifetime.
class QtUserInterface {
  public:
    explicit QtUserInterface(AppDelegate& delegate);
    ~QtUserInterface();
    QtUserInterface(const QtUserInterface&) = delete;
    QtUserInterface& operator=(const QtUserInterface&) = delete;

    MainMenuController& menu() const { return *menu_; }
    QtWindowPresenter& windows() const { return *windows_; }

  private:
    AppDelegate& delegate_;
    std::unique_ptr<MainMenuController> menu_;
    std::unique_ptr<QtWindowPresenter> windows_;
};

} // namespace wigglet
