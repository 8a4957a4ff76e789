#pragma once

#include "ScenarioUi.h"

#include <memory>
#include <nlohmann/json.hpp>

class QMenu;
class QWidget;

namespace wigglet {
class QtUserInterface;
}

namespace wigglet::sim {

// The real Qt interface driven by a scenario, on Qt's offscreen platform: the user opens and
// clicks the menu, works the preferences window's controls, types keys and clicks at the
// pointer, and the runner dumps and photographs what the interface shows. The user acts the
// way a person would: a hidden or disabled control cannot be used, and doing so changes
// nothing.
class QtScenarioUi final : public ScenarioUi {
  public:
    QtScenarioUi();
    ~QtScenarioUi() override;

    void attach(AppDelegate& delegate) override;
    void detach() override;
    std::optional<std::string> run(const Command& command) override;
    void settle() override;
    bool takeQuitRequest() override;

    // The trace form of a menu's items.
    static nlohmann::ordered_json describeMenu(const QMenu& menu);

  private:
    std::optional<std::string> menu(const Command& command);
    std::optional<std::string> prefs(const Command& command);
    std::optional<std::string> key(const Command& command);
    std::optional<std::string> window(const Command& command);
    std::optional<std::string> screenshot(const Command& command);
    std::optional<std::string> dump(const Command& command);
    std::optional<std::string> userClick();

    QWidget* preferencesWindow() const;
    QWidget* control(const std::string& name) const;
    QWidget* windowNamed(const std::string& id) const;
    void showPaneOf(QWidget* control) const;
    void dumpPrefs() const;
    void dumpWindows() const;

    AppDelegate* delegate_ = nullptr;
    std::unique_ptr<QtUserInterface> ui_;
    bool quitRequested_ = false;
};

} // namespace wigglet::sim
