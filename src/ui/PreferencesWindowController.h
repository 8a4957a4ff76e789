#pragma once

#include "platform/KeyDown.h"
#include "ui/WindowController.h"

#include <QPointer>
#include <QTabWidget>

namespace wigglet {

class AppDelegate;
class ClickViewController;
class EventMonitor;
class GeneralViewController;
class ScrollViewController;

// The preferences window: General, Click and Scroll panes in tabs, the window sized to the
// pane shown. While the window lives it watches the application's key-down events and hands
// them to the General pane when that pane records a shortcut; otherwise Escape and Ctrl+W
// close it.
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
    ClickViewController* click() const { return click_; }
    ScrollViewController* scroll() const { return scroll_; }

  protected:
    // Escape and Ctrl+W arrive through keyDown, which lets a shortcut being recorded have them.
    bool closesOnKeys() const override { return false; }

  private:
    PreferencesWindowController(std::unique_ptr<QWidget> window, QTabWidget* tabs,
                                AppDelegate& delegate);
    void windowDidLoad();
    void fitToPane(int index);

    QPointer<QTabWidget> tabView_;
    GeneralViewController* general_ = nullptr;
    ClickViewController* click_ = nullptr;
    ScrollViewController* scroll_ = nullptr;
    QPointer<EventMonitor> keyMonitor_;
};

} // namespace wigglet
