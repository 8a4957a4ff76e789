#pragma once

#include "ScenarioUi.h"
#include "UiDescriber.h"
#include "app/StatusMenu.h"
#include "app/WindowPresenter.h"

#include <map>
#include <nlohmann/json.hpp>
#include <string>

namespace wigglet::sim {

// Records what the program asks of its windows and status menu, for runs without the real
// interface. Menu and preferences commands are refused.
class StandInUi final : public ScenarioUi,
                        public UiDescriber,
                        public StatusMenu,
                        public WindowPresenter {
  public:
    void attach(AppDelegate& delegate) override;
    void detach() override;
    UiActor* actor() override { return nullptr; }
    UiDescriber& describer() override { return *this; }

    Problem dumpMenu() override;
    Problem dumpPrefs() override;
    Problem dumpWindows() override;
    Problem screenshot(const std::string& window, const std::string& file) override;

    void refreshItems() override {}
    void setStatusImage(const std::string&) override {}

    void showHelpWindow(const std::string& title) override;
    void showAuthorizeWindow() override;
    void showAboutWindow() override;
    void showPreferences() override;
    void showUntilDialog() override;
    void showMainWindow() override;

  private:
    void show(const std::string& id, const nlohmann::ordered_json& fields);

    std::map<std::string, nlohmann::ordered_json> shown_;
};

} // namespace wigglet::sim
