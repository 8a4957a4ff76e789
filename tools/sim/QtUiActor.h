#pragma once

#include "UiActor.h"

class QWidget;

namespace wigglet {
class AppDelegate;
class QtUserInterface;
} // namespace wigglet

namespace wigglet::sim {

// The user at work on the real Qt interface, on Qt's offscreen platform.
class QtUiActor final : public UiActor {
  public:
    QtUiActor(AppDelegate& delegate, QtUserInterface& ui) : delegate_(delegate), ui_(ui) {}

    Problem openMenu() override;
    Problem clickMenu(const std::string& titlePath) override;
    Problem openPrefs() override;
    Problem selectPane(const std::string& name) override;
    Problem choose(const std::string& control, const std::string& indexOrTitle) override;
    Problem check(const std::string& control, bool on) override;
    Problem press(const std::string& control) override;
    Problem key(const KeyDown& keyDown) override;
    Problem clickAtPointer() override;
    Problem closeWindow(const std::string& id) override;
    Problem pressInWindow(const std::string& id, const std::string& control) override;
    Problem chooseInWindow(const std::string& id, const std::string& control,
                           const std::string& indexOrTitle) override;

  private:
    QWidget* preferencesWindow() const;
    // The preferences control with that name, on show in its pane, as a person goes to the
    // pane before using a control; the reason when the window is not open or lacks it.
    QWidget* prefsControl(const std::string& name, Problem& reason) const;
    QWidget* openWindow(const std::string& id, Problem& reason) const;

    AppDelegate& delegate_;
    QtUserInterface& ui_;
};

} // namespace wigglet::sim
