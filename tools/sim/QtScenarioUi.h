#pragma once

#include "QtUiActor.h"
#include "QtUiDescriber.h"
#include "ScenarioUi.h"

#include <memory>
#include <optional>

namespace wigglet {
class QtUserInterface;
}

namespace wigglet::sim {

// The real Qt interface driven by a scenario, on Qt's offscreen platform: built when the
// program starts, with the actor and describer that work on it.
class QtScenarioUi final : public ScenarioUi {
  public:
    QtScenarioUi();
    ~QtScenarioUi() override;

    void attach(AppDelegate& delegate) override;
    void detach() override;
    UiActor* actor() override { return actor_ ? &*actor_ : nullptr; }
    UiDescriber& describer() override { return describer_; }
    void settle() override;
    bool takeQuitRequest() override;

  private:
    std::unique_ptr<QtUserInterface> ui_;
    std::optional<QtUiActor> actor_;
    QtUiDescriber describer_;
    bool quitRequested_ = false;
};

} // namespace wigglet::sim
