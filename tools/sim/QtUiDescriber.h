#pragma once

#include "UiDescriber.h"

#include <array>
#include <nlohmann/json.hpp>

class QAction;
class QMenu;
class QWidget;

namespace wigglet {
class QtUserInterface;
}

namespace wigglet::sim {

// Writes the real Qt interface to the trace (the menu, the preferences window's controls and
// the other windows) and photographs it. It also says how the user names what they see.
class QtUiDescriber final : public UiDescriber {
  public:
    // No interface before launch.
    explicit QtUiDescriber(const QtUserInterface* ui = nullptr) : ui_(ui) {}

    Problem dumpMenu() override;
    Problem dumpPrefs() override;
    Problem dumpWindows() override;
    Problem screenshot(const std::string& window, const std::string& file) override;

    static constexpr std::array<const char*, 4> paneNames = {"General", "Click", "Scroll", "Rules"};
    // The trace form of a menu's items.
    static nlohmann::ordered_json describeMenu(const QMenu& menu);
    static std::string titleOf(const QAction* item);
    // A preferences control the scenario can name: by its outlet or its setting's key.
    static bool isControl(const QWidget* widget);
    // The window shown with that id, if it has been shown.
    static QWidget* windowNamed(const QtUserInterface& ui, const std::string& id);

  private:
    const QtUserInterface* ui_;
};

} // namespace wigglet::sim
