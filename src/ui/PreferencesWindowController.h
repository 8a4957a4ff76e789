#pragma once

#include "platform/KeyDown.h"
#include "ui/WindowController.h"

#include <QPointer>
#include <QTabWidget>
#include <functional>

namespace wigglet {

class AppDelegate;
class ClickViewController;
class EventMonitor;
class GeneralViewController;
class ScrollViewController;

// The preferences window: General, Click and Scroll panes in tabs, in one window size. While
// the window lives it watches the application's key-down events and hands them to the General
// pane when that pane records a shortcut; otherwise Escape and Ctrl+W close it, Ctrl+Q quits
// and Ctrl+, raises it, as in the tray menu.
class PreferencesWindowController final : public WindowController {
    Q_OBJECT

  public:
    // None when the layout has no preferences window.
    static std::unique_ptr<PreferencesWindowController> instantiate(AppDelegate& delegate);
    ~PreferencesWindowController() override;

    void keyDown(const KeyDown& event);
    void selectPane(int index);

    QTabWidget* tabView() const { return tabView_; }
    GeneralViewController* general() const { return general_; }
    // What Ctrl+Q does; by default it ends the application's event loop, as the Quit item does.
    std::function<void()> terminate;
    ClickViewController* click() const { return click_; }
    ScrollViewController* scroll() const { return scroll_; }

  protected:
    // Escape and Ctrl+W arrive through keyDown, which lets a shortcut being recorded have them.
    bool closesOnKeys() const override { return false; }

  private:
    PreferencesWindowController(std::unique_ptr<QWidget> window, QTabWidget* tabs,
                                AppDelegate& delegate);
    void windowDidLoad();
    void fitToLargestPane();

    QPointer<QTabWidget> tabView_;
    GeneralViewController* general_ = nullptr;
    ClickViewController* click_ = nullptr;
    ScrollViewController* scroll_ = nullptr;
    QPointer<EventMonitor> keyMonitor_;
};

} // namespace wigglet
